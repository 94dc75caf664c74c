#pragma once

#include "core/MessageBoxPort.h"
#include "core/XmlRecords.h"

#include <memory>
#include <pugixml.hpp>
#include <string>
#include <vector>

// A section/key store over one XML file: the root holds one element per section, a
// section one element per key, whose text is the value.
class TXMLStorage {
public:
    TXMLStorage(const std::string& fileName, IMessageBoxPort& boxes);
    TXMLStorage(const TXMLStorage&) = delete;
    TXMLStorage& operator=(const TXMLStorage&) = delete;

    // Loads the file, or starts a new document with the root "Options" when there is none.
    // A file that does not parse is reported and kept aside (see TBrokenFile): the store then
    // starts a new document as for a missing file, and Save writes it, the old text being
    // safe beside it. A file that cannot be read, or that does not parse and is left, is
    // reported and leaves the store without a root: every read gives its default and Save
    // writes nothing, so the file is never replaced by one holding only defaults.
    void Open(TBrokenFile broken = TBrokenFile::KeepAside);
    // Writes the document over the file, crash-safely; a failure is reported. True when written.
    bool Save();
    void Close();

    const std::string& FileName() const { return FileName_; }
    bool HasRoot() const;
    bool HasKey(const std::string& section, const std::string& key) const;

    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Decimal or "$" hexadecimal; "0x" in front of hexadecimal digits counts as "$".
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    void WriteInteger(const std::string& section, const std::string& key, int value);
    // Stored as "1" or "0"; read as any number, hexadecimal as for ReadInteger, of whatever
    // length: true unless it is zero.
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
    void WriteBool(const std::string& section, const std::string& key, bool value);
    // Clears list, then appends the texts of all child elements of the key, whatever their names.
    void ReadStrings(const std::string& section, const std::string& key, std::vector<std::string>& list) const;
    // Replaces the key's children by key + "0", key + "1", ... holding the entries.
    void WriteStrings(const std::string& section, const std::string& key, const std::vector<std::string>& list);

private:
    // The key's text, with "0x" or "0X" in front of more digits turned into "$".
    std::string NumberText(const std::string& section, const std::string& key) const;
    pugi::xml_node KeyNode(const std::string& section, const std::string& key) const;
    pugi::xml_node EnsureKeyNode(const std::string& section, const std::string& key);

    std::string FileName_;
    IMessageBoxPort& Boxes_;
    std::unique_ptr<pugi::xml_document> Document_;
    pugi::xml_node Root_;
};
