#pragma once

#include "config/LangChanger.h"
#include "config/LangObject.h"

#include <QByteArray>

#include <map>
#include <memory>
#include <string>
#include <string_view>

class QObject;
class QWidget;

// A QObject as a language file reaches it: its Qt properties by name (case ignored), the
// objects and fonts that properties hold, and what Qt keeps outside properties: "items" of
// a combo box or a list widget, "title" of a tab page.
class TQtLangObject : public ILangObject {
public:
    explicit TQtLangObject(QObject& object) : Object_(object) {}

    TLangPropertyKind PropertyKind(std::string_view property) const override;
    ILangObject* PropertyObject(std::string_view property) override;
    void SetProperty(std::string_view property, const TLangValue& value) override;

private:
    QObject& Object_;
    std::map<QByteArray, std::unique_ptr<ILangObject>> Held_;  // adapters of held objects, by property
};

// A form: its class is "T" followed by the top widget's objectName, its components are the
// named objects below it (widgets, tab pages, actions), found by objectName.
class TQtLangWindow : public ILangWindow {
public:
    explicit TQtLangWindow(QWidget& form);
    ~TQtLangWindow() override;

    std::string ClassName() const override;
    ILangObject* FindComponent(std::string_view name) override;
    TLangPropertyKind PropertyKind(std::string_view property) const override;
    ILangObject* PropertyObject(std::string_view property) override;
    void SetProperty(std::string_view property, const TLangValue& value) override;

private:
    QWidget& Form_;
    TQtLangObject Self_;
    std::map<QObject*, std::unique_ptr<TQtLangObject>> Components_;
};

// Applies the language file's entries for form ("DlgTaskProperties.cmbSource.toolTip").
void TranslateQtForm(const TLangChanger& changer, QWidget& form);
