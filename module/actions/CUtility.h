#pragma once
// Process-wide program launching for the actions. Holds no state.
#include "platform/IInputShell.h"

#include <boost/serialization/singleton.hpp>

#include <string>

class CUtility : public boost::serialization::singleton<CUtility> {
public:
    // Starts the file with its default action. Where the system locks the foreground, this
    // process's window is brought to the front first so the started program may come to the
    // front itself. False when the shell could not start it.
    bool LaunchFile(platform::IInputShell& shell, const std::wstring& path) const;
};
