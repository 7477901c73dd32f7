#pragma once

#include <string>

namespace huemira {

// Saves name + ".lnk" in the current user's Start Menu folder, pointing at
// target and starting in target's folder; replaces an older file of that
// name. Every failure is swallowed: a missing shortcut never stops the program.
void CreateStartMenuShortcut(const std::wstring& name, const std::wstring& target);

// The full path of the running program.
std::wstring ProgramPath();

}  // namespace huemira
