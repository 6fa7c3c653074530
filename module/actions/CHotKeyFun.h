#pragma once
// Process-wide keyboard synthesis for the actions. Holds no state.
#include "module/actions/ActionServices.h"

#include <boost/serialization/singleton.hpp>

class CHotKeyFun : public boost::serialization::singleton<CHotKeyFun> {
public:
    // Ctrl+V, each key event after a 50 ms pause, so the target has taken the clipboard's
    // new contents and each key before the next. An interrupted pause ends the chord and
    // releases what it pressed.
    void PasteKeys(const ActionServices& services) const;
};
