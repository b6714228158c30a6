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
    "  CONFIG-FILE  the configuration file, as the BBS script gives it to "
    "ringcheck\n"
    "  LOGIN NAME   the name the caller logged in with; may be left out\n"
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
    "  %lld bytes; the tail read begins at byte %lld",
    "  %lld bytes, read whole",
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
    "    caller id: voided by the end of the text at column %d (no line feed)",
    "    CONNECT: keeps the number %s",
    "    CONNECT: empties the number %s (the line above stored no digit)",
    "    CONNECT: no number to keep",
    "  lines read: %d",
    "  caller's number: %s",
    "  caller's number: empty, %s",
    "no caller-id line in the part read",
    "a number of %lld digits cannot be taken (1 to 9 fit)",
    "the last caller-id line gave %d of %lld digits",
    "voided on line %d",
    "emptied by the CONNECT line on line %d",
    "line %d, the last caller-id line, had no digit",
    "  phone type: %s",
    "  phone type: none, TYPEPHONE is not YES",
    "  phone type: none, as there is no number",
    "  CONNECT line: line %d, %s",
    "  CONNECT line: empty, no CONNECT line in the part read",
    "  CONNECT line: empty, the one on line %d lies %d lines up (10 at most)",
    "Mask: none, CIDMASK is empty",
    "Mask %s: %s before, %s after",
    "User base %s",
    "  cannot be opened",
    "  records: %lld",
    "  record %lld matches (index %lld from 0):",
    "    name        %s",
    "    field 534   %s",
    "    field 373   %s",
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
};

}  // namespace

const char *EnglishText(ReportText text) { return kTexts[text]; }
