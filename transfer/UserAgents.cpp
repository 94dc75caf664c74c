#include "transfer/UserAgents.h"

#include "core/MessageCatalogue.h"
#include "core/XmlFallbacks.h"
#include "transfer/UserAgent.h"

void TUserAgentItem::ReadFromNode(pugi::xml_node element)
{
    ReadChild(element, "Name", Name);
    ReadChild(element, "UserAgentString", UserAgentString);
}

void TUserAgentItem::WriteToNode(pugi::xml_node parent) const
{
    pugi::xml_node element = parent.append_child("UserAgent");
    WriteChild(element, "Name", Name);
    WriteChild(element, "UserAgentString", UserAgentString);
}

// No web browser component of this system reports an agent string: the browser's choice
// sends none.
TUserAgentCollection::TUserAgentCollection(IMessageBoxPort& boxes)
    : TFiledCollection(boxes), QuorvexAgent_(QuorvexUserAgentString())
{
}

TUserAgentItem& TUserAgentCollection::AddUserAgent(const std::string& name, const std::string& agent)
{
    TUserAgentItem& item = Add();
    item.Name = name;
    item.UserAgentString = agent;
    return item;
}

std::string TUserAgentCollection::ChoiceName(int choice) const
{
    switch (choice) {
    case 0: return Translate("sQuorvexUserAgentString");
    case 1: return Translate("sImportFromIEUserAgentString");
    case 2: return Translate("sEmptyUserAgentString");
    default: break;
    }
    return choice >= kBuiltInChoices && choice < ChoiceCount() ? Items(choice - kBuiltInChoices).Name : std::string();
}

std::string TUserAgentCollection::ChoiceAgent(int choice) const
{
    switch (choice) {
    case 0: return QuorvexAgent_;
    case 1: return BrowserAgent_;
    case 2: return {};
    default: break;
    }
    return choice >= kBuiltInChoices && choice < ChoiceCount() ? Items(choice - kBuiltInChoices).UserAgentString
                                                                : std::string();
}

void TUserAgentCollection::SetChoiceName(int choice, const std::string& name)
{
    if (IsEditable(choice) && choice < ChoiceCount())
        Items(choice - kBuiltInChoices).Name = name;
}

void TUserAgentCollection::SetChoiceAgent(int choice, const std::string& agent)
{
    if (IsEditable(choice) && choice < ChoiceCount())
        Items(choice - kBuiltInChoices).UserAgentString = agent;
}

void TUserAgentCollection::DeleteChoice(int choice)
{
    if (!IsEditable(choice) || choice >= ChoiceCount())
        return;
    Delete(choice - kBuiltInChoices);
    if (choice == DefIndex)
        DefIndex = choice - 1;
}

void TUserAgentCollection::Assign(const TUserAgentCollection& source)
{
    if (&source == this)
        return;
    Clear();
    for (int i = 0; i < source.Count(); ++i)
        AddUserAgent(source[i].Name, source[i].UserAgentString);
    DefIndex = source.DefIndex;
}

void TUserAgentCollection::ReadFromNode(pugi::xml_node root)
{
    ReadChildOr(root, "DefIndex", DefIndex, 0);
    if (pugi::xml_node agents = root.child("UserAgents"))
        TOwnedCollection::ReadFromNode(agents);
}

void TUserAgentCollection::WriteToNode(pugi::xml_node root) const
{
    WriteChild(root, "DefIndex", DefIndex);
    TOwnedCollection::WriteToNode(root.append_child("UserAgents"));
}
