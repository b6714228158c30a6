// The version the programs show: ringcheck on its status screen, the
// explainer in what it writes for others to read (a netmail's PID).
#ifndef RINGCHECK_RUN_VERSION_H
#define RINGCHECK_RUN_VERSION_H

constexpr char kRingcheckVersion[] = "0.3beta2";

#endif
