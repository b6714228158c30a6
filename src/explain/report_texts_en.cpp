// The report in English.  Lines stay within 79 columns with the widest
// arguments the report gives them: quotes are cut to fit.
#include "explain/report_tables.h"

namespace {

const char *const kTexts[kReportTextCount] = {
    "ringcheck-explain: a dry run of ringcheck; nothing is written.",
    "Login name: %s",
    "Login name: none on the command line",
    "Configuration file %s",
    "  found as %s",
    "  not found",
    "No configuration file given: ringcheck needs one.",
    "Usage: ringcheck-explain CONFIG-FILE [\"LOGIN NAME\"]\n"
    "       ringcheck-explain --users CONFIG-FILE\n"
    "       ringcheck-explain --calls [--csv] CONFIG-FILE [PATTERN]\n"
    "  CONFIG-FILE  the configuration file, as the BBS script gives it to "
    "ringcheck\n"
    "  LOGIN NAME   the name the caller logged in with; may be left out\n"
    "  --users      (or /users) audits the user base instead of a call\n"
    "  --calls      (or /calls) lists the calls of the whole mailer log\n"
    "Run it in the directory the script runs ringcheck in: relative paths in "
    "the\n"
    "configuration count from there.",
    "  cannot be opened",
    "  line %d: %s",
    "    bad: no space between a key and a value",
    "    bad: the first word is none of the nine keys",
    "    bad: an empty line (a remark needs a ';')",
    "  %-11s line %-5d %s",
    "  %-11s default    %s",
    "Mailer log %s",
    "  cannot be opened",
    "  %lld %s; the tail read begins at byte %lld",
    "  %lld %s, read whole",
    "  marker %s, separators %s",
    "  %lld digits wanted (IDLEN %s%s)",
    " and one for the phone type",
    "  line %d: %s",
    "    caller id: took %s, all %lld digits",
    "    caller id: in place of %s",
    "    caller id: the line ended after %lld of %lld digits",
    "    caller id: no digit here; the number stays %s",
    "    caller id: voided by %s at column %d",
    "    caller id: voided by the line's end at column %d",
    "    caller id: voided at column %d: the text ends there, with no line "
    "feed\n"
    "    (the end of the file, a Ctrl-Z or a NUL byte)",
    "    caller id: voided at column %d: a line longer than 255 characters is "
    "cut\n"
    "    there, and the rest is read as a line of its own",
    "    CONNECT: keeps the number %s",
    "    CONNECT: empties the number %s (the line above stored no digit)",
    "    CONNECT: no number to keep",
    "  lines read: %d",
    "  caller's number: %s",
    "  caller's number: empty, %s",
    "no caller-id line in the part read",
    "a number of %lld %s cannot be taken (1 to 9 fit)",
    "the last caller-id line gave %d %s of %lld",
    "voided on line %d",
    "emptied by the CONNECT line on line %d",
    "line %d, the last caller-id line, had no digit",
    "  phone type: %s",
    "  phone type: none, TYPEPHONE is not YES",
    "  phone type: none, as there is no number",
    "  CONNECT line: line %d, %s",
    "  CONNECT line: empty, no CONNECT line in the part read",
    "  CONNECT line: empty, the one on line %d lies %d %s up (10 at most)",
    "Mask: none, CIDMASK is empty",
    "Mask %s: %s before, %s after",
    "User base %s",
    "  cannot be opened",
    "  records: %lld",
    "  record %lld matches (index %lld from 0):",
    "    name        %s",
    "    field 534   %s",
    "    field 373   %s",
    "  record %lld has the number too: %s",
    "  a call from it is taken as record %lld, the first: the lookup stops "
    "there",
    "  the login is record %lld's name, yet the call is taken as record %lld",
    "  the records after it cannot be read: users.tor no longer opens",
    "  no record has the phone %s",
    "User base: not looked at, as there is no caller's number",
    "Banned numbers, BADLIST %s",
    "Exempt names, GOODLIST %s",
    "  opened",
    "  missing: nobody is singled out by it",
    "  lines read: %d",
    "  line %d bans the number: %s",
    "  line %d exempts the login name: %s",
    "  no line bans %s",
    "  no line is the login name %s",
    "  record %lld shares the line of record %lld: as its login is exempt, "
    "the\n"
    "  call ends with 4 and its phone is not checked at all",
    "  record %lld shares the line of record %lld and its login is not "
    "exempt:\n"
    "  the sample scripts refuse the call, as the result file names record "
    "%lld",
    "  Its login in GOODLIST lets it in from the shared line, but then its "
    "phone\n"
    "  is not checked at all.",
    "Banned numbers: not checked, as there is no caller's number",
    "Exempt names: not checked, as no subscriber matched",
    "Exempt names: not checked, as the command line gives no login name",
    "Outcome",
    "  exit code %d: %s",
    "  the result file %s would hold:",
    "  that is %s",
    "    %d %s",
    "    (line 7 has no line end)",
    "  no result file would be written",
    "normal end",
    "the mailer log cannot be opened",
    "the user base cannot be opened",
    "the caller's number is banned",
    "the login name is exempt",
    "no configuration file",
    "  Note: the command line came in code page %u, but the lists are read "
    "as\n"
    "  866: a name typed in %u matches no list line written in 866.",
    "ringcheck-explain: a dry run of ringcheck.  It reads the same files, runs "
    "the\n"
    "same checks and tells why a call came out as it did.  It writes "
    "nothing.",
    "Language: RINGCHECK_LANG=ru or RINGCHECK_LANG=en; otherwise the user's "
    "own\n"
    "(the UI language on Windows; LC_ALL, LC_MESSAGES or LANG elsewhere).",
    "Exit code (errorlevel): the one ringcheck would give.",
    "  %d  %s",
    "ringcheck also gives 7 when it cannot write its result file; the dry "
    "run\n"
    "writes none.",
    "--users CONFIG-FILE (or /users) audits the user base instead of a call: "
    "the\n"
    "records no call can recognise, the numbers several records share and "
    "which\n"
    "record a call from one is taken as, the records whose own number "
    "BADLIST\n"
    "bans, and the GOODLIST lines that name no record.  It exits with 0 when "
    "the\n"
    "base was read, 2 or 5 as ringcheck would, 6 when memory runs out.",
    "ringcheck-explain --users: an audit of the user base; nothing is written.",
    "  bad lines: %d (a dry run of a call shows them)",
    "  a phone counts by its last %d %s (IDLEN %s)",
    "  IDLEN %s%s: %lld %s, where 1 to 9 fit;\n"
    "  no call's number is ever taken, so ringcheck recognises no caller",
    "  IDLEN %s leaves a call's number no digit: ringcheck recognises no "
    "caller",
    "  CIDMASK %s masks a call's number; phones are audited by IDLEN alone",
    "  entries: %lld",
    "  records a call can recognise: %lld (a phone of IDLEN digits or more)",
    "Records no call can recognise (no phone of IDLEN digits): %lld",
    "  record %lld %s: phones %s and %s",
    "Numbers several records share: %lld",
    "  %s: a call from it is taken as record %lld %s",
    "    record %lld %s: exempt in GOODLIST, let in (errorlevel 4)",
    "    record %lld %s: the same name, so let in as record %lld",
    "    record %lld %s: let in, as record %lld has no name",
    "    record %lld %s: not in GOODLIST, refused by the sample scripts",
    "    record %lld %s: refused, as the number is banned (errorlevel 3)",
    "  A later record's login in GOODLIST lets it in from the shared line, "
    "but\n"
    "  its phone is then not checked at all.",
    "Records whose own number BADLIST bans (their calls end with 3): %lld",
    "  record %lld %s, %s: line %d %s",
    "GOODLIST lines that name no record (a guest or a misspelt name): %lld",
    "  line %d %s",
    "Not enough memory to finish the audit.",
    "users.tor changed while it was read: run the audit again.",
    "the user base was read",
    "the audit ran out of memory",
    "--calls CONFIG-FILE [PATTERN] (or /calls) lists every call of the whole "
    "mailer\n"
    "log as ringcheck sees it: the number, the subscriber it is taken as, the\n"
    "BADLIST line that bans it and the errorlevel of a connected call with "
    "no\n"
    "login; then a table a number, the totals and the calls by hour.  "
    "PATTERN,\n"
    "written as a BADLIST line, keeps the calls it would ban and names the\n"
    "subscribers whose own number it bans: a ban tried before it is added.\n"
    "--csv (or /csv) with it gives one CSV row a call instead.  It exits with "
    "0\n"
    "when the log was read, 1, 2 or 5 as ringcheck would, 6 when memory runs "
    "out.",
    "ringcheck-explain --calls: the calls of the mailer log as ringcheck sees "
    "them;\n"
    "nothing is written.",
    "  CIDMASK %s: numbers are shown masked, as ringcheck compares them",
    "Pattern %s, as a BADLIST line: %s",
    "Pattern %s is a remark as a BADLIST line: it bans nothing",
    "  only its first 15 digits, '?' and '*' count, as in BADLIST",
    "  no digit, '?' or '*' in it: the empty pattern bans one-digit numbers "
    "only",
    "  it bans no subscriber's own number",
    "  it bans the own number of %lld records:",
    "    record %lld %s: %s",
    "Calls in log order",
    "Calls whose number the pattern matches, in log order",
    "     Line  Time       Number    T  Conn.   Subscriber\n"
    "  (Conn.: connected, and the errorlevel ringcheck gives it with no "
    "login)",
    "yes, %d",
    "no",
    "none",
    "record %lld %s",
    "unknown",
    "users.tor not read",
    ", banned by line %d",
    "no caller-id line right before",
    "the caller-id line is %lld %s up",
    "voided",
    "too few digits",
    "the mask left no digit",
    "cut off by the 4000-byte tail or a Ctrl-Z",
    "IDLEN gives no number",
    "  no call",
    "Numbers, the most calls first",
    "  Number      Calls  Conn.  Subscriber",
    "  %-9s %7lld %6lld  %s%s%s",
    "  %lld more numbers are counted in the totals only (the table holds "
    "%lld)",
    "Totals",
    "  mailer log: %lld %s, %lld %s, read whole",
    "  calls: %lld; connected: %lld; did not connect: %lld",
    "  connected with a number ringcheck takes: %lld",
    "  connected without a number: %lld",
    "    %s: %lld",
    "  calls banned by BADLIST: %lld, of them connected: %lld (errorlevel 3)",
    "  connected from a number no record has: %lld",
    "  did not connect, with CONNECT 2 to 5 lines below the caller-id line: "
    "%lld",
    "  Note: %lld connections have their caller-id line a few lines above\n"
    "  CONNECT.  ringcheck takes a number only from the line right before\n"
    "  CONNECT, so these callers go unrecognised: have the mailer write the\n"
    "  caller-id line right before CONNECT.",
    "  users.tor cannot be opened: no call has a subscriber, and a connected "
    "call\n"
    "  with a number would end with 2",
    "Calls by hour of day (# connected, - did not connect)\n"
    "  Hour  Calls  Conn.",
    "  %02d   %6lld %6lld%s",
    "the mailer log was read",
    "Not enough memory to finish the history.",
    "the history ran out of memory",
    "byte|bytes|bytes",
    "line|lines|lines",
    "line|lines|lines",
    "digit|digits|digits",
    "digit|digits|digits",
    "digit|digits|digits",
    "Login name: empty (\"\" on the command line)",
    "  this line is a blank line or an indented remark: it exempts every\n"
    "  caller whose login name arrives empty",
    "IDLEN %s leaves the number no digit;\n"
    "  the one digit taken is the phone type",
};

}  // namespace

const char *EnglishText(ReportText text) { return kTexts[text]; }
