#include "resources/dialog_templates.h"

#include "framework/win_constants.h"
#include "resources/resource_ids.h"
#include "resources/version_info.h"

namespace {

// Every key of the keypad is a tab stop; none starts a group.
constexpr DWORD kKey = WS_TABSTOP;

constexpr ControlTemplate kKeypadControls[] = {
    {ControlKind::DefPushButton, IDOK, "", 0, {112, 5, 9, 15}, kKey},
    {ControlKind::PushButton, IDC_KEY_1, "1", 0, {32, 6, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_2, "2", 0, {57, 6, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_3, "3", 0, {82, 6, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_4, "4", 0, {32, 32, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_5, "5", 0, {57, 32, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_6, "6", 0, {82, 32, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_7, "7", 0, {32, 58, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_8, "8", 0, {57, 58, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_9, "9", 0, {82, 58, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_STAR, "*", 0, {32, 84, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_0, "0", 0, {57, 84, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_HASH, "#", 0, {82, 84, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_RCL, "Rcl", 0, {12, 110, 22, 12}, kKey},
    {ControlKind::PushButton, IDC_KEY_STO, "Sto", 0, {40, 110, 22, 12}, kKey},
    {ControlKind::PushButton, IDC_KEY_ALPH, "Alph", 0, {68, 110, 22, 12}, kKey},
    {ControlKind::PushButton, IDC_KEY_MENU, "Menu", 0, {96, 110, 22, 12}, kKey},
    {ControlKind::PushButton, IDC_KEY_SND, "Snd", 0, {32, 131, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_CLR, "Clr", 0, {57, 131, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_END, "End", 0, {82, 131, 18, 18}, kKey},
    {ControlKind::PushButton, IDC_KEY_PLUS, "+", 0, {7, 5, 10, 13}, kKey},
    {ControlKind::PushButton, IDC_KEY_MINUS, "-", 0, {7, 20, 10, 13}, kKey},
};

constexpr ControlTemplate kAboutControls[] = {
    {ControlKind::Icon, IDC_STATIC, "", IDI_KEYPAD, {11, 17, 18, 20}, 0},
    {ControlKind::LeftText, IDC_STATIC, "Corvane Version 1.0 Alpha", 0, {40, 10, 119, 8}, WS_GROUP},
    {ControlKind::LeftText, IDC_STATIC, MAKER_NOTICE, 0, {40, 25, 123, 8}, WS_GROUP},
    {ControlKind::DefPushButton, IDOK, "OK", 0, {176, 6, 32, 14}, WS_TABSTOP | WS_GROUP},
};

constexpr DWORD kDialogFrame = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

constexpr DialogTemplate kDialogTemplates[] = {
    {IDD_KEYPAD, "Corvane", {0, 0, 131, 153}, "MS Sans Serif", 8, kDialogFrame | WS_VISIBLE, kKeypadControls},
    {IDD_ABOUT, "About Corvane", {34, 22, 217, 55}, "MS Sans Serif", 8, kDialogFrame, kAboutControls},
};

}  // namespace

std::span<const DialogTemplate> DialogTemplates() { return kDialogTemplates; }
