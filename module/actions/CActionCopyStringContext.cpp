#include "module/actions/CActionCopyStringContext.h"

#include "module/actions/CHotKeyFun.h"
#include "module/profiles/StoreLayout.h"

void CActionCopyStringContext::Load(platform::IKeyValueStore& actionKey) {
    m_string.clear();
    if (auto key = actionKey.OpenKey(L"CopyString"))
        m_string = ReadStoredText(*key, L"String");
}

void CActionCopyStringContext::Save(platform::IKeyValueStore& actionKey) const {
    if (auto key = actionKey.CreateKey(L"CopyString"))
        key->WriteString(L"String", m_string);
}

void CActionCopyStringContext::Run(const ActionServices& services) {
    // Pasting without the new text would paste whatever the clipboard held before.
    if (!services.shell.PutClipboardText(m_string))
        return;
    CHotKeyFun::get_const_instance().PasteKeys(services);
}
