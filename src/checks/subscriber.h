// The subscriber behind the caller's number, and the two lists that single
// out callers.
#ifndef RINGCHECK_CHECKS_SUBSCRIBER_H
#define RINGCHECK_CHECKS_SUBSCRIBER_H

#include <cstddef>

constexpr size_t kUserNameCapacity = 37;
constexpr size_t kUserField373Capacity = 15;
constexpr size_t kUserField534Capacity = 18;

extern char UserName[kUserNameCapacity + 1];
extern char UserField373[kUserField373Capacity + 1];
extern char UserField534[kUserField534Capacity + 1];

void ResetSubscriber();
void LookUpUser();
void CheckBannedNumbers();
void CheckExemptNames(const char *login_name);

#endif
