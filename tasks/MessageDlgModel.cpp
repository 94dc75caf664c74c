#include "tasks/MessageDlgModel.h"

#include "core/MessageCatalogue.h"

#include <algorithm>
#include <iterator>

namespace {

struct TButtonInfo {
    TMessageButtons Button;
    TModalResult Result;
    const char* CaptionId;
};

// In the order the buttons stand.
constexpr TButtonInfo kButtons[] = {
    {mbYes, TModalResult::Yes, "SMsgDlgYes"},
    {mbNo, TModalResult::No, "SMsgDlgNo"},
    {mbOK, TModalResult::OK, "SMsgDlgOK"},
    {mbCancel, TModalResult::Cancel, "SMsgDlgCancel"},
    {mbAbort, TModalResult::Abort, "SMsgDlgAbort"},
    {mbNoToAll, TModalResult::NoToAll, "SMsgDlgNoToAll"},
};

unsigned ShownButtons(unsigned buttons)
{
    const bool any = std::any_of(std::begin(kButtons), std::end(kButtons),
                                 [buttons](const TButtonInfo& info) { return (buttons & info.Button) != 0; });
    return any ? buttons : unsigned(mbOK);
}

std::optional<TModalResult> FirstOf(unsigned buttons, std::initializer_list<TMessageButtons> choices)
{
    buttons = ShownButtons(buttons);
    for (const TMessageButtons choice : choices) {
        if (buttons & choice) {
            for (const TButtonInfo& info : kButtons)
                if (info.Button == choice)
                    return info.Result;
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<TMessageDlgButton> MessageDlgButtons(unsigned buttons)
{
    buttons = ShownButtons(buttons);
    std::vector<TMessageDlgButton> shown;
    for (const TButtonInfo& info : kButtons)
        if (buttons & info.Button)
            shown.push_back({info.Button, info.Result, Translate(info.CaptionId)});
    return shown;
}

std::optional<TModalResult> MessageDlgDefault(unsigned buttons)
{
    return FirstOf(buttons, {mbOK, mbYes});
}

std::optional<TModalResult> MessageDlgEscape(unsigned buttons)
{
    return FirstOf(buttons, {mbCancel, mbNo, mbOK});
}

std::string MessageDlgCaption(int kind)
{
    static const char* const kCaptionIds[] = {"SMsgDlgWarning", "SMsgDlgError", "SMsgDlgInformation",
                                              "SMsgDlgConfirm"};
    if (kind < 0 || kind >= int(std::size(kCaptionIds)))
        return {};
    return Translate(kCaptionIds[kind]);
}

std::string MessageDlgCopyText(const std::string& caption, const std::string& text,
                               const std::vector<std::string>& buttonCaptions)
{
    const std::string rule = std::string(27, '-') + "\r\n";
    std::string buttons;
    for (std::string button : buttonCaptions) {
        std::erase(button, '&');
        buttons += button + "   ";
    }
    return rule + caption + "\r\n" + rule + text + "\r\n" + rule + buttons + "\r\n" + rule;
}
