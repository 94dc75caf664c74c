#pragma once

#include "core/DateTime.h"
#include "core/XmlRecords.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// One entry of a task log. Codes: 0 a stream step succeeded, 1 a notice about the
// destination, 2 information, 4 a failure or stop, 5 a server reply after a failed step.
class TLogListItem : public TXmlItem {
public:
    TLogListItem() = default;
    TLogListItem(int code, std::string text, TDateTime time) : Code(code), Text(std::move(text)), Time(time) {}

    int Code = 0;
    std::string Text;
    TDateTime Time;

    void ReadFromNode(pugi::xml_node element) override;
    // Appends a "LogItem" element with "Code", "Time" and "Text".
    void WriteToNode(pugi::xml_node parent) const override;
};

// The log of one task: workers add entries while the main thread shows and saves them,
// so every access holds the log's lock. The lock is re-entrant: a writer may take it to
// format its text and then add the entry.
class TLogList {
public:
    void Lock() const { Mutex_.lock(); }
    void UnLock() const { Mutex_.unlock(); }

    // Appends an entry stamped with the current local time, any link password in its text
    // masked; beyond LineMax entries the oldest one goes.
    void Add(int code, std::string text);
    // The limit of Add; a negative one means none. A worker sets it from TaskLogLineMax when
    // its run starts, so that workers never read an option that the main thread may change.
    void SetLineMax(int lineMax);
    int Count() const;
    // A copy: the entry may be removed by a worker's next Add.
    TLogListItem Items(int index) const;
    // Copies of all entries, in order, taken at one moment.
    std::vector<TLogListItem> Entries() const;
    void Clear();
    // Copies of the entries appended since a view last looked, which had seen `seen` of the
    // entries ever appended (0 for all); seen becomes that number now, and firstIndex the
    // place of the first copy in the log. Entries that the limit or Clear removed meanwhile
    // are not among them.
    std::vector<TLogListItem> EntriesSince(uint64_t& seen, int& firstIndex) const;

    // Appends one entry per child element of a "LogList" element; no limit is applied.
    void ReadFromNode(pugi::xml_node node);
    // Appends a "LogItem" element per entry to a "LogList" element.
    void WriteToNode(pugi::xml_node node) const;

private:
    mutable std::recursive_mutex Mutex_;
    // Held by value: a small file's copy writes some twenty entries, and each would be
    // allocated on a worker thread and freed on another one.
    std::vector<TLogListItem> Items_;
    int LineMax_ = 300;  // the default of TaskLogLineMax
    uint64_t Appended_ = 0;  // entries ever appended; never goes down
};

// Holds a log's lock for a scope.
class TLogListLock {
public:
    explicit TLogListLock(const TLogList& log) : Log_(log) { Log_.Lock(); }
    ~TLogListLock() { Log_.UnLock(); }
    TLogListLock(const TLogListLock&) = delete;
    TLogListLock& operator=(const TLogListLock&) = delete;

private:
    const TLogList& Log_;
};
