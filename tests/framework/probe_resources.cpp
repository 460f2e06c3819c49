#include "tests/framework/probe_resources.h"

#include "framework/win_constants.h"

namespace {

const char* const kProbeIcon[] = {
    "4 4 2 1", ". c None", "k c #000000", "kkkk", "k..k", "k..k", "kkkk",
};
constexpr XpmImage kProbeIconImages[] = {kProbeIcon};

// Two groups of buttons, one button that is no tab stop, and the statics.
constexpr ControlTemplate kProbeControls[] = {
    {ControlKind::DefPushButton, IDOK, "OK", 0, {4, 4, 40, 14}, WS_TABSTOP | WS_GROUP},
    {ControlKind::PushButton, IDCANCEL, "Cancel", 0, {4, 22, 40, 14}, WS_TABSTOP},
    {ControlKind::PushButton, IDC_PROBE_A, "A", 0, {50, 4, 20, 14}, WS_GROUP},
    {ControlKind::PushButton, IDC_PROBE_B, "B", 0, {50, 22, 20, 14}, WS_TABSTOP},
    {ControlKind::LeftText, IDC_STATIC, "Label", 0, {4, 40, 60, 8}, 0},
    {ControlKind::Icon, IDC_STATIC, "", IDI_PROBE, {80, 4, 18, 20}, 0},
};

constexpr ControlTemplate kProbeChildControls[] = {
    {ControlKind::DefPushButton, IDOK, "OK", 0, {4, 4, 40, 14}, WS_TABSTOP},
};

constexpr DWORD kFrame = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

constexpr DialogTemplate kProbeDialogs[] = {
    {IDD_PROBE, "Probe", {10, 20, 120, 60}, "MS Sans Serif", 8, kFrame | WS_VISIBLE, kProbeControls},
    {IDD_PROBE_CHILD, "Probe child", {4, 4, 60, 30}, "MS Sans Serif", 8, kFrame, kProbeChildControls},
};

constexpr StringResource kProbeStrings[] = {
    {IDS_PROBE_MESSAGE, "Probe message."},
};

constexpr IconResource kProbeIcons[] = {
    {IDI_PROBE, kProbeIconImages},
};

constexpr ResourceModule kProbeResources{kProbeDialogs, kProbeStrings, kProbeIcons};

}  // namespace

ProbeApp probeApp;

constinit const MessageMapEntry ProbeApp::messageEntries[] = {
    CommandEntry<&CWinApp::OnHelp>(ID_HELP),
};

constinit const MessageMap ProbeApp::messageMap{&CWinApp::messageMap, messageEntries};

const MessageMap* ProbeApp::GetMessageMap() const { return &messageMap; }

ProbeApp::ProbeApp() : CWinApp(kProbeResources) {}
