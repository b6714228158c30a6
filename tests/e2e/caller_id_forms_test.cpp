// The caller-id line forms that the user guides show, each with the
// configuration lines the guides give for it: ringcheck takes the number
// and phone type the guides promise (result file lines 4 and 5).
#include <gtest/gtest.h>

#include <string>

#include "station.h"

namespace {

struct FormCase {
  const char *log_line;
  const char *config;  // after TORNADOPATH BBS\ .
  const char *number;
  const char *phone_type;
};

const FormCase kForms[] = {
    {"CallerID: 812-34-56 3", "", "8123456", "3"},
    {"CallerID: 123-45-67 (1)", "CALLERID CallerID ()\r\n", "1234567", "1"},
    {"AON 8123456", "CALLERID AON\r\nTYPEPHONE NO\r\n", "8123456", ""},
    {"NMBR = 8123456", "CALLERID NMBR =\r\nTYPEPHONE NO\r\n", "8123456", ""},
    {"CID: (812) 345-67-89", "CALLERID (812)\r\nTYPEPHONE NO\r\n", "3456789",
     ""},
    {"RING CallerID=8123456,2", "CALLERID CallerID =,\r\n", "8123456", "2"},
};

TEST(CallerIdForms, TheGuidesFormsGiveTheirNumbers) {
  for (const FormCase &form : kForms) {
    Station station;
    station.Configure(form.config);
    station.WriteUsers({});
    station.Write("T-Mail.log", std::string("14:05:01 ") + form.log_line +
                                    "\r\n14:05:09 CONNECT 33600\r\n");
    EXPECT_EQ(station.Run().exit_code, 0) << form.log_line;
    EXPECT_EQ(station.Result(),
              CrLfLines({"", "", "", form.number, form.phone_type, "0",
                         "CONNECT 33600"}))
        << form.log_line;
  }
}

}  // namespace
