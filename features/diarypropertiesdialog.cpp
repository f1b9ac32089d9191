#include "features/diarypropertiesdialog.h"

#include "app/settingkeys.h"
#include "features/diary.h"
#include "resources/resource.h"
#include "util/lwide.h"

void DiaryPropertiesDialog::InitDialog() {
    DiarySettings s;
    ReadDiarySettings(&s);
    CheckRadioButton(hwnd, IDC_DIARY_WEEK, IDC_DIARY_DAY,
                     s.bWeekPerView ? IDC_DIARY_WEEK : IDC_DIARY_DAY);
    UpdateCountLabel();
    SetDlgItemInt(hwnd, IDC_DIARY_COUNT, s.bWeekPerView ? s.iNoOfWeeks : s.iNoOfDays, TRUE);
    for (int hour = 0; hour < DIARY_HOURS; ++hour) {
        char label[DIARY_HOUR_TEXT];
        DiaryHourLabel(hour, label);
        SendDlgItemMessageA(hwnd, IDC_DIARY_FROM, CB_ADDSTRING, 0, (LPARAM)label);
        SendDlgItemMessageA(hwnd, IDC_DIARY_TO, CB_ADDSTRING, 0, (LPARAM)label);
    }
    SendDlgItemMessageA(hwnd, IDC_DIARY_FROM, CB_SETCURSEL, s.iHourFrom, 0);
    SendDlgItemMessageA(hwnd, IDC_DIARY_TO, CB_SETCURSEL, s.iHourTo, 0);
}

void DiaryPropertiesDialog::UpdateCountLabel() {
    bool week = IsDlgButtonChecked(hwnd, IDC_DIARY_WEEK) == BST_CHECKED;
    SetDlgItemTextU(hwnd, IDC_DIARY_COUNT_LABEL, week ? DIARY_LABEL_WEEKS : DIARY_LABEL_DAYS);
}

void DiaryPropertiesDialog::Command(WORD id, WORD) {
    if (id == IDC_DIARY_WEEK || id == IDC_DIARY_DAY)
        UpdateCountLabel();
}

// The From box can be typed into: a typed label counts like the chosen one.
int DiaryPropertiesDialog::SelectedHour(int id) {
    int index = (int)SendDlgItemMessageA(hwnd, id, CB_GETCURSEL, 0, 0);
    if (index >= 0)
        return index;
    char typed[64] = "";
    GetDlgItemTextU(hwnd, id, typed, sizeof typed);
    return (int)SendDlgItemMessageA(hwnd, id, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)typed);
}

bool DiaryPropertiesDialog::Refuse(const char* message, const char* caption) {
    MessageBoxU(hwnd, message, caption, MB_ICONINFORMATION | MB_OK);
    return false;
}

bool DiaryPropertiesDialog::CmOk() {
    // Saved step by step: what is saved stays saved if a later check fails.
    bool week = IsDlgButtonChecked(hwnd, IDC_DIARY_WEEK) == BST_CHECKED;
    SetDiaryWeekPerView(week);

    BOOL read = FALSE;
    int number = (int)GetDlgItemInt(hwnd, IDC_DIARY_COUNT, &read, TRUE);
    if (!read)
        number = 0;
    DiaryInputError error = DiaryCheckNumber(week, number);
    if (error != DIARY_INPUT_OK)
        return Refuse(DiaryInputMessage(error), DiaryInputCaption(error));
    SetDiaryNoteCount(week, number);

    int from = SelectedHour(IDC_DIARY_FROM);
    int to = SelectedHour(IDC_DIARY_TO);
    if (from < 0)
        return Refuse("Choose the start time from the list.", DIARY_CAPTION_END_BEFORE_START);
    error = DiaryCheckHours(from, to);
    if (error != DIARY_INPUT_OK)
        return Refuse(DiaryInputMessage(error), DiaryInputCaption(error));
    SetDiaryHours(from, to);
    return true;
}

void DiaryPropertiesDialog::CmHelp() {
    DisplayHelpContext(HELP_CONTEXT_DIARY_PROPERTIES);
}
