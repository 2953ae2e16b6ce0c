#pragma once
// The settings as the Windows communications interface takes them: the device control
// block and the timeout record.

#include "serial/LineSettings.h"
#include "serial/win32/WindowsApi.h"

namespace pellow {

// Carries every line setting into a control block read from the device; the fields the
// settings do not cover (EofChar, EvtChar, the reserved words) keep the device's values.
// The flags word is rebuilt from zero, which clears fAbortOnError, so a line error never
// stops reading or writing.
void FillDcb(DCB& dcb, const LineSettings& settings);

COMMTIMEOUTS MakeCommTimeouts(const CommTimeouts& timeouts);

} // namespace pellow
