#include "tasks/LogList.h"

#include "core/Links.h"
#include "core/XmlValues.h"

#include <algorithm>

void TLogListItem::ReadFromNode(pugi::xml_node element)
{
    ReadChild(element, "Code", Code);
    ReadChild(element, "Time", Time);
    ReadChild(element, "Text", Text);
    // A list written before passwords were masked loses them at its next save.
    Text = MaskLinkPasswords(Text);
}

void TLogListItem::WriteToNode(pugi::xml_node parent) const
{
    pugi::xml_node element = parent.append_child("LogItem");
    WriteChild(element, "Code", Code);
    WriteChild(element, "Time", Time);
    WriteChild(element, "Text", Text);
}

void TLogList::Add(int code, std::string text)
{
    // Entries name links, and the log is shown and saved: a password in a link never gets in.
    MaskLinkPasswordsInPlace(text);
    const TDateTime time = NowDateTime();
    TLogListLock lock(*this);
    Items_.emplace_back(code, std::move(text), time);
    ++Appended_;
    // Compared as unsigned: a negative limit means no limit.
    if (Items_.size() > unsigned(LineMax_))
        Items_.erase(Items_.begin());
}

void TLogList::SetLineMax(int lineMax)
{
    TLogListLock lock(*this);
    LineMax_ = lineMax;
}

int TLogList::Count() const
{
    TLogListLock lock(*this);
    return int(Items_.size());
}

TLogListItem TLogList::Items(int index) const
{
    TLogListLock lock(*this);
    return Items_.at(std::size_t(index));
}

std::vector<TLogListItem> TLogList::Entries() const
{
    TLogListLock lock(*this);
    return {Items_.begin(), Items_.end()};
}

std::vector<TLogListItem> TLogList::EntriesSince(uint64_t& seen, int& firstIndex) const
{
    TLogListLock lock(*this);
    const int count = int(Items_.size());
    const int fresh = int(std::min<uint64_t>(Appended_ - std::min(seen, Appended_), uint64_t(count)));
    firstIndex = count - fresh;
    seen = Appended_;
    return {Items_.begin() + firstIndex, Items_.end()};
}

void TLogList::Clear()
{
    TLogListLock lock(*this);
    Items_.clear();
}

void TLogList::ReadFromNode(pugi::xml_node node)
{
    TLogListLock lock(*this);
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element) {
            Items_.emplace_back().ReadFromNode(child);
            ++Appended_;
        }
    }
}

void TLogList::WriteToNode(pugi::xml_node node) const
{
    TLogListLock lock(*this);
    for (const TLogListItem& item : Items_)
        item.WriteToNode(node);
}
