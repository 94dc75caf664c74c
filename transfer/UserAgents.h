#pragma once

#include "core/XmlRecords.h"

#include <cstdint>
#include <string>
#include <utility>

// An agent string the user named.
class TUserAgentItem : public TXmlItem {
public:
    std::string Name;
    std::string UserAgentString;

    // A "UserAgent" element of "user-agents.xml".
    void ReadFromNode(pugi::xml_node element) override;
    void WriteToNode(pugi::xml_node parent) const override;
};

// The agent strings FTP and web servers may be told, with the current choice, and their
// file "user-agents.xml". Choices 0 to 2 are built in: the program's own string, the web
// browser's and none; choice 3 + n is item n.
class TUserAgentCollection : public TFiledCollection<TUserAgentItem> {
public:
    static constexpr int kBuiltInChoices = 3;

    explicit TUserAgentCollection(IMessageBoxPort& boxes);

    int32_t DefIndex = 0;   // the current choice

    TUserAgentItem& AddUserAgent(const std::string& name, const std::string& agent);
    int ChoiceCount() const { return Count() + kBuiltInChoices; }
    // Empty for a choice that does not exist.
    std::string ChoiceName(int choice) const;
    std::string ChoiceAgent(int choice) const;
    bool IsEditable(int choice) const { return choice >= kBuiltInChoices; }
    // Only for editable choices; nothing otherwise.
    void SetChoiceName(int choice, const std::string& name);
    void SetChoiceAgent(int choice, const std::string& agent);
    // Only for editable choices. Deleting the current one makes the one before it current.
    void DeleteChoice(int choice);
    // Copies the items and the current choice; the file stays this collection's.
    void Assign(const TUserAgentCollection& source);
    // The agent string of the current choice; empty when it designates none.
    std::string CurrentUserAgent() const { return ChoiceAgent(DefIndex); }

    void ReadFromNode(pugi::xml_node root) override;
    void WriteToNode(pugi::xml_node root) const override;

private:
    const char* RootName() const override { return "UserAgentsRoot"; }
    // Fixed when the collection is made.
    std::string BrowserAgent_;
    std::string QuorvexAgent_;
};

// The user-agent dialog without its widgets: a name and an agent string, taken only when
// both are filled.
class TUserAgentForm {
public:
    TUserAgentForm(std::string name, std::string agent) : Name(std::move(name)), Agent(std::move(agent)) {}

    std::string Name;
    std::string Agent;

    // OK: true when both texts are filled; the caller then takes them.
    bool Accept() const { return !Name.empty() && !Agent.empty(); }
};
