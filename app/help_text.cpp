#include "app/help_text.h"

#include "app/wrapped_lines.h"

namespace huemira {

std::wstring HelpText() { return JoinWrappedLines(kHelpSource); }

}  // namespace huemira
