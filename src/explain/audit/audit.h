// The audit of the user base: ringcheck-explain --users CONFIG-FILE.  What
// every call would make of users.tor and the two lists, told before the
// calls come: the records no call can recognise, the numbers several
// records share, the records whose own number BADLIST bans and the GOODLIST
// lines that name no record.
#ifndef RINGCHECK_EXPLAIN_AUDIT_AUDIT_H
#define RINGCHECK_EXPLAIN_AUDIT_AUDIT_H

// Audits the base the configuration file names (nullptr: none given) and
// reports on standard output.  Returns 0 when the base was read, 2 and 5
// as ringcheck when the user base or the configuration cannot be opened,
// 6 when memory ran out or the base has more records than a report can
// number.
int AuditUserBase(const char *config);

#endif
