#include "tasks/TaskDialogModel.h"

#include "config/Options.h"
#include "core/Links.h"

#include <algorithm>

void RememberEntry(std::vector<std::string>& entries, const std::string& text, int maxCount)
{
    std::erase(entries, text);
    entries.insert(entries.begin(), text);
    if (entries.size() > std::size_t(std::max(maxCount, 0)))
        entries.resize(std::size_t(std::max(maxCount, 0)));
}

TTaskDialogModel::TTaskDialogModel(const TTaskProp& prop, bool newTask)
    : SourceEntries(Options().ListSource), DestinationEntries(Options().ListDestination),
      SourceUser(prop.UserLoginToSource), SourcePassword(prop.UserPasswordToSource),
      DestinationUser(prop.UserLoginToDestination), DestinationPassword(prop.UserPasswordToDestination),
      SaveAsName(prop.Name), Priority(prop.TrafficPriority), NewTask_(newTask), SourceLogin_(prop.LoginToSource),
      DestinationLogin_(prop.LoginToDestination)
{
    if (prop.TypeStart == tsAutomatic || prop.TypeStart == tsManually)
        StartMode = prop.TypeStart;
    SetSourceText(prop.Source);
    SetDestinationText(prop.Destination.empty() && !DestinationEntries.empty() ? DestinationEntries.front()
                                                                               : prop.Destination);
}

void TTaskDialogModel::SetSourceText(const std::string& text)
{
    SourceText_ = text;
    SetSourceLogin(SourceLogin_);
}

void TTaskDialogModel::SetDestinationText(const std::string& text)
{
    DestinationText_ = text;
    SetDestinationLogin(DestinationLogin_);
}

bool TTaskDialogModel::SourceLoginEnabled() const
{
    return IsUNCPath(SourceText_) || IsFTPLink(SourceText_) || IsHTTPLink(SourceText_);
}

bool TTaskDialogModel::DestinationLoginEnabled() const
{
    return IsUNCPath(DestinationText_) || IsFTPLink(DestinationText_);
}

void TTaskDialogModel::SetSourceLogin(bool ticked)
{
    SourceLogin_ = ticked && SourceLoginEnabled();
}

void TTaskDialogModel::SetDestinationLogin(bool ticked)
{
    DestinationLogin_ = ticked && DestinationLoginEnabled();
}

bool TTaskDialogModel::Accept(TTaskProp& prop, bool& useByDefault)
{
    if (!OkEnabled())
        return false;
    TOptions& options = Options();
    RememberEntry(DestinationEntries, DestinationText_, options.ListDestination_MaxCount);
    RememberEntry(SourceEntries, SourceText_, options.ListSource_MaxCount);
    options.ListSource = SourceEntries;
    options.ListDestination = DestinationEntries;
    prop.Source = SourceText_;
    prop.LoginToSource = SourceLogin_;
    if (SourceLogin_) {
        prop.UserLoginToSource = SourceUser;
        prop.UserPasswordToSource = SourcePassword;
    }
    prop.Destination = DestinationText_;
    prop.LoginToDestination = DestinationLogin_;
    if (DestinationLogin_) {
        prop.UserLoginToDestination = DestinationUser;
        prop.UserPasswordToDestination = DestinationPassword;
    }
    prop.Name = SaveAs ? SaveAsName : std::string();
    if (StartMode)
        prop.TypeStart = *StartMode;
    prop.TrafficPriority = Priority;
    useByDefault = UseByDefault;
    return true;
}
