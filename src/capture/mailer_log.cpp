#include "capture/caller_number.h"

char SeparatorSet[kSeparatorSetCapacity + 1];
char CallerNumber[kCallerNumberCapacity + 1];
char PhoneType[kPhoneTypeCapacity + 1];
char ConnectLine[kConnectLineCapacity + 1];

void ResetCallerNumber() {
  SeparatorSet[0] = '\0';
  CallerNumber[0] = '\0';
  PhoneType[0] = '\0';
  ConnectLine[0] = '\0';
}

// The log scan is built next; until then no number is captured.
void SplitCallerIdSetting() {}
void ScanMailerLog() {}
void ApplyNumberMask() {}
