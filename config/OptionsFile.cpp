#include "config/OptionsFile.h"

#include "config/OptionKeys.h"
#include "core/AppFolders.h"
#include "core/DisplayFormats.h"

#include <filesystem>
#include <type_traits>

namespace {

std::string DefaultSoundFileOfKey(const std::string& key)
{
    for (int event = 0; event < kSoundEventCount; ++event)
        if (key == kSoundEvents[event].FileKey)
            return DefaultSoundFile(event);
    return {};
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// Reads each key, defaulting to the value it replaces.
struct TKeyReader {
    const TXMLStorage& Store;

    void operator()(const TOptionKey& key, int& value) const
    {
        value = Store.ReadInteger(key.Section, key.Name, value);
    }
    void operator()(const TOptionKey& key, bool& value) const
    {
        value = key.Rule != TKeyRule::AlwaysOff && Store.ReadBool(key.Section, key.Name, value);
    }
    void operator()(const TOptionKey& key, std::string& value) const
    {
        value = Store.ReadString(key.Section, key.Name, value);
        if (key.Rule == TKeyRule::SoundFile && (value.empty() || !FileExists(value)))
            value = DefaultSoundFileOfKey(key.Name);
    }
    // A list key that is there replaces the list, even when it holds no entry.
    void operator()(const TOptionKey& key, std::vector<std::string>& value) const
    {
        if (Store.HasKey(key.Section, key.Name))
            Store.ReadStrings(key.Section, key.Name, value);
    }
    // Enumerations are stored as their ordinal.
    template <class E>
        requires std::is_enum_v<E>
        void operator()(const TOptionKey& key, E& value) const
        {
            value = static_cast<E>(Store.ReadInteger(key.Section, key.Name, static_cast<int>(value)));
        }
};

struct TKeyWriter {
    TXMLStorage& Store;
    const TOptions& Options;

    void operator()(const TOptionKey& key, int value) const
    {
        if (key.Rule == TKeyRule::NormalGeometry && Options.MainWindowState != 0)
            return;
        Store.WriteInteger(key.Section, key.Name, value);
    }
    void operator()(const TOptionKey& key, bool value) const
    {
        Store.WriteBool(key.Section, key.Name, key.Rule != TKeyRule::AlwaysOff && value);
    }
    void operator()(const TOptionKey& key, const std::string& value) const
    {
        Store.WriteString(key.Section, key.Name, value);
    }
    void operator()(const TOptionKey& key, const std::vector<std::string>& value) const
    {
        Store.WriteStrings(key.Section, key.Name, value);
    }
    template <class E>
    requires std::is_enum_v<E>
    void operator()(const TOptionKey& key, E value) const
    {
        Store.WriteInteger(key.Section, key.Name, static_cast<int>(value));
    }
};

} // namespace

std::string DefaultSoundFile(int event)
{
    return ResourceFolder() + "Sounds/" + kSoundEvents[event].FileName;
}

void ReadOptions(const TXMLStorage& store, TOptions& options, const ISystemIntegration& system)
{
    ForEachOptionKey(TKeyReader{store}, options);
    options.StartWithWindows = system.IsStartWithWindows();
    options.ExplorerIntegration = system.IsExplorerIntegrated();
}

void WriteOptions(TXMLStorage& store, const TOptions& options)
{
    ForEachOptionKey(TKeyWriter{store, options}, options);
}

void LoadOptions(TXMLStorage& store, TOptions& options, const ISystemIntegration& system)
{
    LoadFormatSettingsFromLocale();
    store.Open();
    ReadOptions(store, options, system);
}

bool SaveOptions(TXMLStorage& store, const TOptions& options)
{
    WriteOptions(store, options);
    const bool saved = store.Save();
    store.Close();
    return saved;
}
