#include "module/pages/CActionEditorPage.h"

#include "module/actions/CCustomActionList.h"

CActionEditorPage::CActionEditorPage(UINT templateId, CCustomActionList& actions,
                                     const std::wstring& currentActionId)
    : CSkinDialog(templateId), m_actions(actions), m_currentActionId(currentActionId) {}

CCustomAction* CActionEditorPage::CurrentAction() const {
    return m_actions.Find(m_currentActionId);
}
