#pragma once

#include "core/MessageBoxPort.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <pugixml.hpp>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

// How every data file is parsed: whitespace between elements is no child, while an element
// holding nothing but blanks keeps them as its text.
inline constexpr unsigned kXmlParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

enum class TXmlLoadStatus {
    Loaded,      // doc holds the file
    Missing,     // no such file; nothing reported
    KeptAside,   // did not parse: renamed to KeptAsidePath(path) and reported; doc is empty
    Unreadable,  // could not be read or kept aside: reported; the file must not be overwritten
};

// What becomes of a data file that does not parse: the program's own files are kept aside,
// so that the next save cannot destroy what may still be mended; a file that is only read
// (one named on a command line) stays where it is and counts as unreadable.
enum class TBrokenFile { KeepAside, Leave };

// Loads a data file into doc, reporting failures through boxes ("Can't read file").
TXmlLoadStatus LoadXmlFile(const std::string& path, pugi::xml_document& doc, IMessageBoxPort& boxes,
                           TBrokenFile broken = TBrokenFile::KeepAside);

// Writes doc with the UTF-8 declaration, indented by two spaces, replacing the file only
// once the new one is complete; a failure is reported ("Can't write file") and the old file
// stays as it was.
bool SaveXmlFile(const pugi::xml_document& doc, const std::string& path, IMessageBoxPort& boxes, unsigned mode = 0644);

// The file behind a stored collection: remembers its name and loads and saves it. Managers
// and the settings collections that no manager owns share it.
class TXmlFile {
public:
    explicit TXmlFile(IMessageBoxPort& boxes, unsigned mode = 0644) : Boxes_(boxes), Mode_(mode) {}

    const std::string& FileName() const { return FileName_; }
    void SetFileName(const std::string& name) { FileName_ = name; }
    // 0600 for files that hold passwords.
    void SetFileMode(unsigned mode) { Mode_ = mode; }
    IMessageBoxPort& Boxes() const { return Boxes_; }

    // Remembers name; when the file exists and parses, hands its document element (whatever
    // its name) to read. True when read was called.
    bool Load(const std::string& name, const std::function<void(pugi::xml_node root)>& read);
    // Remembers a non-empty name; with a remembered name, writes a new document whose root
    // element rootName write fills. True when the file was written.
    bool Save(const std::string& name, const char* rootName, const std::function<void(pugi::xml_node root)>& write);

private:
    IMessageBoxPort& Boxes_;
    unsigned Mode_;
    std::string FileName_;
    // A file that exists but could neither be read nor kept aside: saving over it would
    // destroy the user's data. Reported once: some files are saved on a timer.
    std::string Refused_;
    bool RefusalReported_ = false;
};

// An item of a stored collection: one element, one child element per property.
class TXmlItem {
public:
    virtual ~TXmlItem() = default;
    // Reads the properties from the children of element; unknown children are ignored, a
    // missing one leaves its property unchanged.
    virtual void ReadFromNode(pugi::xml_node element) = 0;
    // Appends one element for the item to parent.
    virtual void WriteToNode(pugi::xml_node parent) const = 0;

protected:
    TXmlItem() = default;
    TXmlItem(const TXmlItem&) = default;
    TXmlItem& operator=(const TXmlItem&) = default;
};

// A collection that owns its items. Items keep their addresses while they live, so views
// may refer to them.
template <class TItem>
class TOwnedCollection {
public:
    TOwnedCollection() = default;
    TOwnedCollection(const TOwnedCollection&) = delete;
    TOwnedCollection& operator=(const TOwnedCollection&) = delete;
    virtual ~TOwnedCollection() = default;

    int Count() const { return int(Items_.size()); }
    TItem& Items(int index) { return *Items_.at(std::size_t(index)); }
    const TItem& Items(int index) const { return *Items_.at(std::size_t(index)); }
    TItem& operator[](int index) { return Items(index); }
    const TItem& operator[](int index) const { return Items(index); }

    TItem& Add() { return Insert(Count(), NewItem()); }
    TItem& Add(std::unique_ptr<TItem> item) { return Insert(Count(), std::move(item)); }
    TItem& Insert(int index, std::unique_ptr<TItem> item)
    {
        CheckIndex(index, Count() + 1);
        Restructured();
        return **Items_.insert(Items_.begin() + index, std::move(item));
    }
    void Delete(int index) { Extract(index); }
    // Removes the item from the collection and hands it to the caller.
    std::unique_ptr<TItem> Extract(int index)
    {
        CheckIndex(index, Count());
        std::unique_ptr<TItem> item = std::move(Items_[std::size_t(index)]);
        Items_.erase(Items_.begin() + index);
        Restructured();
        return item;
    }
    void Move(int from, int to)
    {
        CheckIndex(to, Count());
        std::unique_ptr<TItem> item = Extract(from);
        Items_.insert(Items_.begin() + to, std::move(item));
    }
    // Changes whenever items come, go or move.
    uint64_t Restructures() const { return Restructures_; }
    // The positions are found again after a change, then looked up: a list view asks for
    // every row's position on every tick.
    int IndexOf(const TItem* item) const
    {
        if (PositionsOf_ != Restructures_) {
            Positions_.clear();
            for (std::size_t i = 0; i < Items_.size(); ++i)
                Positions_.emplace(Items_[i].get(), int(i));
            PositionsOf_ = Restructures_;
        }
        const auto found = Positions_.find(item);
        return found == Positions_.end() ? -1 : found->second;
    }
    void Clear()
    {
        Items_.clear();
        Restructured();
    }
    // Puts the items in the order given, which must name every item once.
    void Reorder(const std::vector<const TItem*>& order)
    {
        if (order.size() != Items_.size())
            throw std::invalid_argument("reorder needs every item once");
        std::unordered_map<const TItem*, std::size_t> position;
        for (std::size_t i = 0; i < order.size(); ++i)
            position.emplace(order[i], i);
        if (position.size() != Items_.size())
            throw std::invalid_argument("reorder needs every item once");
        std::vector<std::unique_ptr<TItem>> items(Items_.size());
        for (auto& item : Items_) {
            const auto found = position.find(item.get());
            if (found == position.end())
                throw std::invalid_argument("reorder names an item of another collection");
            items[found->second] = std::move(item);
        }
        Items_ = std::move(items);
        Restructured();
    }

    // Brackets a batch of changes; Updated runs when the outermost bracket closes.
    void BeginUpdate() { ++UpdateCount_; }
    void EndUpdate()
    {
        if (UpdateCount_ > 0 && --UpdateCount_ == 0)
            Updated();
    }
    int UpdateCount() const { return UpdateCount_; }

    // Appends one item per child element of node, whatever its name, in document order;
    // the items already here stay in front.
    virtual void ReadFromNode(pugi::xml_node node)
    {
        TUpdateBracket bracket(*this);
        for (pugi::xml_node child : node.children())
            if (child.type() == pugi::node_element)
                Add().ReadFromNode(child);
    }
    // Appends the items' elements to node in index order. Writing changes nothing, so it
    // needs no update bracket.
    virtual void WriteToNode(pugi::xml_node node) const
    {
        for (const auto& item : Items_)
            item->WriteToNode(node);
    }

protected:
    // Creates the item that Add and ReadFromNode append.
    virtual std::unique_ptr<TItem> NewItem()
    {
        if constexpr (std::is_default_constructible_v<TItem>)
            return std::make_unique<TItem>();
        else
            throw std::logic_error("this collection creates its items itself");
    }
    virtual void Updated() {}

private:
    class TUpdateBracket {
    public:
        explicit TUpdateBracket(TOwnedCollection& owner) : Owner_(owner) { Owner_.BeginUpdate(); }
        ~TUpdateBracket() { Owner_.EndUpdate(); }
        TUpdateBracket(const TUpdateBracket&) = delete;
        TUpdateBracket& operator=(const TUpdateBracket&) = delete;

    private:
        TOwnedCollection& Owner_;
    };

    static void CheckIndex(int index, int limit)
    {
        if (index < 0 || index >= limit)
            throw std::out_of_range("collection index " + std::to_string(index) + " out of range");
    }

    std::vector<std::unique_ptr<TItem>> Items_;
    mutable std::unordered_map<const TItem*, int> Positions_;
    uint64_t Restructures_ = 0;
    // The Restructures that Positions_ was found at.
    mutable uint64_t PositionsOf_ = ~uint64_t(0);

    void Restructured() { ++Restructures_; }
    int UpdateCount_ = 0;
};

// A stored collection that no manager owns, kept in a file of its own: the settings
// collections (connection types, proxies, user agents). Subclasses name the root element
// and read and write the collection's own elements under it.
template <class TItem>
class TFiledCollection : public TOwnedCollection<TItem> {
public:
    const std::string& FileName() const { return File_.FileName(); }
    IMessageBoxPort& Boxes() const { return File_.Boxes(); }
    // Empties the list, resets what the file may leave out, and reads the file when it
    // exists; a missing file leaves the collection empty.
    void LoadFromFile(const std::string& name)
    {
        this->Clear();
        ResetBeforeLoad();
        File_.Load(name, [this](pugi::xml_node root) { this->ReadFromNode(root); });
    }
    // Writes to name, or to the remembered file when name is empty. True when written.
    bool SaveToFile(const std::string& name)
    {
        return File_.Save(name, RootName(), [this](pugi::xml_node root) { this->WriteToNode(root); });
    }

protected:
    explicit TFiledCollection(IMessageBoxPort& boxes, unsigned mode = 0644) : File_(boxes, mode) {}
    virtual const char* RootName() const = 0;
    virtual void ResetBeforeLoad() {}

    TXmlFile File_;
};

// A component that owns a stored collection and knows its file. Subclass constructors
// load their file themselves: a virtual call from this constructor would not reach them.
class TXmlManager {
public:
    explicit TXmlManager(IMessageBoxPort& boxes) : File_(boxes) {}
    TXmlManager(const TXmlManager&) = delete;
    TXmlManager& operator=(const TXmlManager&) = delete;
    virtual ~TXmlManager() = default;

    // The name of the root element that SaveToFile writes.
    virtual const char* RootName() const = 0;
    // Clears the collection (unless ClearOnLoad says not to), remembers name and reads the
    // file when it exists. A file that does not parse is kept aside and reported.
    virtual void LoadFromFile(const std::string& name);
    // Remembers a non-empty name and writes the collection to the remembered file, if any.
    // True when the file was written.
    virtual bool SaveToFile(const std::string& name);
    virtual void ReadFromNode(pugi::xml_node root) = 0;
    virtual void WriteToNode(pugi::xml_node root) = 0;

    const std::string& FileName() const { return File_.FileName(); }

protected:
    virtual bool ClearOnLoad() const { return true; }
    virtual void ClearItems() = 0;
    TXmlFile& File() { return File_; }

private:
    TXmlFile File_;
};

// A manager over one owned collection held by value.
template <class TCollection>
class TCollectionManager : public TXmlManager {
public:
    using TXmlManager::TXmlManager;

    TCollection& Items() { return Items_; }
    const TCollection& Items() const { return Items_; }

    void ReadFromNode(pugi::xml_node root) override
    {
        if (root)
            Items_.ReadFromNode(root);
    }
    void WriteToNode(pugi::xml_node root) override
    {
        if (root)
            Items_.WriteToNode(root);
    }

protected:
    void ClearItems() override { Items_.Clear(); }

private:
    TCollection Items_;
};
