#include "tasks/LogList.h"

#include "core/Links.h"
#include "core/XmlValues.h"

#include <algorithm>
#include <memory>

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

void TLogList::Add(int code, std::string_view text)
{
    // Entries name links, and the log is shown and saved: a password in a link never gets in.
    auto entry = std::make_unique<TLogListItem>(code, MaskLinkPasswords(text), NowDateTime());
    TLogListLock lock(*this);
    Items_.Add(std::move(entry));
    ++Appended_;
    // Compared as unsigned: a negative limit means no limit.
    if (unsigned(Items_.Count()) > unsigned(LineMax_))
        Items_.Delete(0);
}

void TLogList::SetLineMax(int lineMax)
{
    TLogListLock lock(*this);
    LineMax_ = lineMax;
}

int TLogList::Count() const
{
    TLogListLock lock(*this);
    return Items_.Count();
}

TLogListItem TLogList::Items(int index) const
{
    TLogListLock lock(*this);
    return Items_.Items(index);
}

std::vector<TLogListItem> TLogList::Entries() const
{
    TLogListLock lock(*this);
    std::vector<TLogListItem> entries;
    entries.reserve(std::size_t(Items_.Count()));
    for (int i = 0; i < Items_.Count(); ++i)
        entries.push_back(Items_.Items(i));
    return entries;
}

std::vector<TLogListItem> TLogList::EntriesSince(uint64_t& seen, int& firstIndex) const
{
    TLogListLock lock(*this);
    const int count = Items_.Count();
    const int fresh = int(std::min<uint64_t>(Appended_ - std::min(seen, Appended_), uint64_t(count)));
    firstIndex = count - fresh;
    std::vector<TLogListItem> entries;
    entries.reserve(std::size_t(fresh));
    for (int i = firstIndex; i < count; ++i)
        entries.push_back(Items_.Items(i));
    seen = Appended_;
    return entries;
}

void TLogList::Clear()
{
    TLogListLock lock(*this);
    Items_.Clear();
}

void TLogList::ReadFromNode(pugi::xml_node node)
{
    TLogListLock lock(*this);
    const int before = Items_.Count();
    Items_.ReadFromNode(node);
    Appended_ += uint64_t(Items_.Count() - before);
}

void TLogList::WriteToNode(pugi::xml_node node) const
{
    TLogListLock lock(*this);
    Items_.WriteToNode(node);
}
