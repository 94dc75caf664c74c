#pragma once

// The settings that live in the user's session rather than in the options file: starting
// the program with the session, and the "Copy by Quorvex" entries of the file managers.
// The options read them at start and the options dialog applies them.
class ISystemIntegration {
public:
    virtual ~ISystemIntegration() = default;
    virtual bool IsStartWithWindows() const = 0;
    virtual void SetStartWithWindows(bool on) = 0;
    virtual bool IsExplorerIntegrated() const = 0;
    // True when the requested state is now in effect.
    virtual bool SetExplorerIntegration(bool on) = 0;
};

// A session the program is not integrated with and never changes: both settings read off.
class TNoSystemIntegration : public ISystemIntegration {
public:
    bool IsStartWithWindows() const override { return false; }
    void SetStartWithWindows(bool) override {}
    bool IsExplorerIntegrated() const override { return false; }
    bool SetExplorerIntegration(bool on) override { return !on; }
};

// The one instance that readers without a session of their own use.
inline TNoSystemIntegration& NoSystemIntegration()
{
    static TNoSystemIntegration none;
    return none;
}
