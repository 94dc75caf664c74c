#include "core/XMLStorage.h"

#include "core/XmlRecords.h"
#include "core/XmlValues.h"

namespace {

pugi::xml_node ChildOrAppend(pugi::xml_node parent, const std::string& name)
{
    pugi::xml_node child = parent.child(name.c_str());
    return child ? child : parent.append_child(name.c_str());
}

} // namespace

TXMLStorage::TXMLStorage(const std::string& fileName, IMessageBoxPort& boxes) : FileName_(fileName), Boxes_(boxes) {}

void TXMLStorage::Open(TBrokenFile broken)
{
    Document_ = std::make_unique<pugi::xml_document>();
    Root_ = pugi::xml_node();
    switch (LoadXmlFile(FileName_, *Document_, Boxes_, broken)) {
    case TXmlLoadStatus::Loaded:
        Root_ = Document_->document_element();
        break;
    case TXmlLoadStatus::Missing:
    case TXmlLoadStatus::KeptAside: Root_ = Document_->append_child("Options"); break;
    case TXmlLoadStatus::Unreadable:
        break;
    }
}

bool TXMLStorage::Save()
{
    if (!HasRoot())
        return false;
    // The options hold the default server password: readable by the user alone.
    return SaveXmlFile(*Document_, FileName_, Boxes_, 0600);
}

void TXMLStorage::Close()
{
    Root_ = pugi::xml_node();
    Document_.reset();
}

bool TXMLStorage::HasRoot() const
{
    return Document_ && Root_;
}

bool TXMLStorage::HasKey(const std::string& section, const std::string& key) const
{
    return bool(KeyNode(section, key));
}

pugi::xml_node TXMLStorage::KeyNode(const std::string& section, const std::string& key) const
{
    if (!HasRoot())
        return {};
    return Root_.child(section.c_str()).child(key.c_str());
}

pugi::xml_node TXMLStorage::EnsureKeyNode(const std::string& section, const std::string& key)
{
    if (!HasRoot())
        return {};
    return ChildOrAppend(ChildOrAppend(Root_, section), key);
}

std::string TXMLStorage::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) const
{
    const pugi::xml_node node = KeyNode(section, key);
    return node ? node.text().get() : defaultValue;
}

void TXMLStorage::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    if (pugi::xml_node node = EnsureKeyNode(section, key))
        node.text().set(value.c_str());
}

std::string TXMLStorage::NumberText(const std::string& section, const std::string& key) const
{
    std::string text = ReadString(section, key, "");
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first != std::string::npos)
        text.erase(0, first);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.replace(0, 2, "$");
    return text;
}

int TXMLStorage::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const
{
    int value = defaultValue;
    ParseXmlValue(NumberText(section, key), value);
    return value;
}

void TXMLStorage::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

bool TXMLStorage::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    bool value = defaultValue;
    ParseXmlNumberAsBool(NumberText(section, key), value);
    return value;
}

void TXMLStorage::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TXMLStorage::ReadStrings(const std::string& section, const std::string& key,
                              std::vector<std::string>& list) const
{
    list.clear();
    for (pugi::xml_node child : KeyNode(section, key).children())
        if (child.type() == pugi::node_element)
            list.emplace_back(child.text().get());
}

void TXMLStorage::WriteStrings(const std::string& section, const std::string& key,
                               const std::vector<std::string>& list)
{
    pugi::xml_node node = EnsureKeyNode(section, key);
    if (!node)
        return;
    node.remove_children();
    for (std::size_t i = 0; i < list.size(); ++i)
        node.append_child((key + std::to_string(i)).c_str()).text().set(list[i].c_str());
}
