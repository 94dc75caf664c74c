#pragma once

#include "tasks/TaskPorts.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// The program that opens one kind of link in place of the desktop's choice, and its
// argument template, where "%PATH%" stands for the resource.
struct TOtherProgram {
    bool Use = false;
    std::string Program;
    std::string Key = "%PATH%";
};

// The other programs of local and share paths, FTP links and HTTP links. An opening thread
// works on such a copy, taken on the main thread: the options may change meanwhile.
struct TOpenSettings {
    TOtherProgram LAN;
    TOtherProgram FTP;
    TOtherProgram HTTP;

    static TOpenSettings FromOptions();
};

// The arguments of a template: its words, split at blanks (a double-quoted part of a word
// may hold blanks; the quotes go), with "%PATH%" in a word replaced by resource as plain
// text. A word that is just "%PATH%" becomes the resource as one argument, whatever blanks,
// quotes or "$(...)" it holds: the arguments never pass through a shell.
std::vector<std::string> ExpandArguments(const std::string& key, const std::string& resource);

// Opens resource on the calling thread: by its kind of link, with the other program the
// settings give for that kind, or else with the desktop's default handler. A share path
// opens as its smb:// link; a string of no kind opens nothing.
void OpenResourceNow(IDesktop& desktop, const std::string& resource, const TOpenSettings& settings);

// Opens folders and links without holding up the main thread, and files on it. A desktop
// implementation holds one as its last member and serves OpenInBackground and ShellOpen
// with it, so that openings under way end before the rest of the desktop goes.
class TResourceOpener {
public:
    explicit TResourceOpener(IDesktop& desktop) : Desktop_(desktop) {}
    // Waits for the openings under way: they call the desktop.
    ~TResourceOpener();
    TResourceOpener(const TResourceOpener&) = delete;
    TResourceOpener& operator=(const TResourceOpener&) = delete;

    // Returns at once; the opening runs on a thread of its own with a copy of the options,
    // so that a slow share or a starting browser never holds up the caller.
    void OpenResource(const std::string& resource);
    // The file with the desktop's program for its type, on the calling thread.
    void OpenFile(const std::string& path);
    // Waits until every opening started so far has ended.
    void Wait();

private:
    struct TOpening {
        std::thread Thread;
        std::atomic<bool> Done{false};
    };
    // Joins the openings that have ended (all of them when all is true).
    void Join(bool all);

    IDesktop& Desktop_;
    // Touched by the owner's thread alone; each opening only sets its Done.
    std::vector<std::unique_ptr<TOpening>> Openings_;
};
