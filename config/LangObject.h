#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// What a language file reaches in a window: objects with named properties. The Qt side
// adapts widgets to these (object names, Qt properties); tests hand in fakes.

// The kinds of property a language file can set; others are left alone.
enum class TLangPropertyKind { None, Integer, Float, String, StringList, Other };

using TLangValue = std::variant<int64_t, double, std::string, std::vector<std::string>>;

class ILangObject {
public:
    virtual ~ILangObject() = default;
    // None when the object has no property of that name.
    virtual TLangPropertyKind PropertyKind(std::string_view property) const = 0;
    // The object a property holds (a widget's font, say); null for other properties.
    virtual ILangObject* PropertyObject(std::string_view property) = 0;
    // Called only with a value of the property's kind.
    virtual void SetProperty(std::string_view property, const TLangValue& value) = 0;
};

class ILangWindow : public ILangObject {
public:
    // The window's class name, "TDlgOpt" say.
    virtual std::string ClassName() const = 0;
    // The window's component of that name, or null.
    virtual ILangObject* FindComponent(std::string_view name) = 0;
};
