// Week or day notes, how far ahead, and the range of hourly slots of diary
// books. Everything lives in the settings; the dialog keeps no state.
#ifndef JOTWELL_FEATURES_DIARYPROPERTIESDIALOG_H
#define JOTWELL_FEATURES_DIARYPROPERTIESDIALOG_H

#include "dialogs/ldialog.h"

class DiaryPropertiesDialog : public LDialog {
public:
    void InitDialog() override;
    bool CmOk() override;
    void CmHelp() override;
    void Command(WORD id, WORD notifyCode) override;

private:
    void UpdateCountLabel();
    int SelectedHour(int id);
    bool Refuse(const char* message, const char* caption);
};

#endif
