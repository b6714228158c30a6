// The caller's number, phone type and CONNECT line, taken from the tail of
// the mailer log and reshaped by the digit mask.
#ifndef RINGCHECK_CAPTURE_CALLER_NUMBER_H
#define RINGCHECK_CAPTURE_CALLER_NUMBER_H

#include <cstddef>

constexpr size_t kSeparatorSetCapacity = 9;
constexpr size_t kCallerNumberCapacity = 9;
constexpr size_t kPhoneTypeCapacity = 9;
constexpr size_t kConnectLineCapacity = 90;
// Lines of the mailer log are read in pieces of this length.
constexpr size_t kLogPieceLength = 255;

extern char SeparatorSet[kSeparatorSetCapacity + 1];
extern char CallerNumber[kCallerNumberCapacity + 1];
extern char PhoneType[kPhoneTypeCapacity + 1];
extern char ConnectLine[kConnectLineCapacity + 1];

// Empties the buffers and puts SeparatorSet back to its default.
void ResetCallerNumber();
void SplitCallerIdSetting();
void ScanMailerLog();
void ApplyNumberMask();

#endif
