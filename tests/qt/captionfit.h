// SPDX-License-Identifier: MIT
// Whether every caption of the window fits where it is shown, shared by the tests
// that look at the window at different device pixel ratios.
#pragma once

#include "qt/qtform.h"

#include <string>
#include <vector>

namespace pemtos::qt {

/// The captions of `form` that do not fit, each as "<control>: <what>"; empty when
/// all fit. Option and command captions wrap inside their control and must fit what
/// is visible of it, not hidden under an illustration; label texts, and every text
/// the two output labels can receive, must fit their label.
std::vector<std::string> captionsCutOff(const QtForm &form);

} // namespace pemtos::qt
