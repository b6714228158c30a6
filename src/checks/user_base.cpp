#include "checks/subscriber.h"

char UserName[kUserNameCapacity + 1];
char UserField373[kUserField373Capacity + 1];
char UserField534[kUserField534Capacity + 1];

void ResetSubscriber() {
  UserName[0] = '\0';
  UserField373[0] = '\0';
  UserField534[0] = '\0';
}

// Built with the log scan; never reached before it.
void LookUpUser() {}
void CheckBannedNumbers() {}
void CheckExemptNames(const char *) {}
