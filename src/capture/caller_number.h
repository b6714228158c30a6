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

// What the settings let the scan take, asked of it rather than worked out
// again: whether TYPEPHONE asks for a phone type digit after the number;
// the digits a caller-id line must give, IDLEN and one for the phone type;
// and whether that count can ever give a number, and if not why.
bool PhoneTypeWanted();
long long DigitsWanted();
enum DigitCount { kDigitCountFits, kDigitCountOutOfRange, kNoIdlenDigits };
DigitCount CheckDigitCount();
// The fewest digits a caller's number can keep: IDLEN, or one where
// CIDMASK may drop digits.
int FewestNumberDigits();
void SplitCallerIdSetting();
void ScanMailerLog();
void ApplyNumberMask();
// The mask on another number than CallerNumber (kCallerNumberCapacity + 1
// bytes), as ApplyNumberMask reshapes that.
void ApplyNumberMaskTo(char *number);

#endif
