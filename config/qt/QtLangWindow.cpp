#include "config/qt/QtLangWindow.h"

#include <QComboBox>
#include <QFont>
#include <QListWidget>
#include <QMetaProperty>
#include <QStackedWidget>
#include <QStringList>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>

#include <optional>

namespace {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QStringList ToQStringList(const std::vector<std::string>& items)
{
    QStringList list;
    for (const std::string& item : items)
        list << QString::fromStdString(item);
    return list;
}

std::optional<QMetaProperty> FindProperty(const QObject& object, std::string_view name)
{
    const QString wanted = ToQString(name);
    const QMetaObject* meta = object.metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (QString::fromLatin1(property.name()).compare(wanted, Qt::CaseInsensitive) == 0)
            return property;
    }
    return std::nullopt;
}

TLangPropertyKind KindOf(const QMetaProperty& property)
{
    if (!property.isWritable())
        return TLangPropertyKind::Other;
    switch (property.metaType().id()) {
    case QMetaType::QString:
        return TLangPropertyKind::String;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return TLangPropertyKind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return TLangPropertyKind::Float;
    case QMetaType::QStringList:
        return TLangPropertyKind::StringList;
    default:
        return TLangPropertyKind::Other;
    }
}

bool SameName(std::string_view a, const char* b)
{
    return ToQString(a).compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// The tab widget that shows page as one of its tabs, or null.
QTabWidget* TabsOfPage(QObject& object)
{
    auto* page = qobject_cast<QWidget*>(&object);
    QWidget* stack = page ? page->parentWidget() : nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack && qobject_cast<QStackedWidget*>(stack) ? stack->parentWidget() : nullptr);
    return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

bool HasItems(QObject& object)
{
    return qobject_cast<QComboBox*>(&object) || qobject_cast<QListWidget*>(&object);
}

// Renames the items in place (icons and data stay), then adds or drops items at the end.
void SetItems(QObject& object, const QStringList& texts)
{
    if (auto* combo = qobject_cast<QComboBox*>(&object)) {
        const QString edited = combo->currentText();
        for (int i = 0; i < texts.size(); ++i) {
            if (i < combo->count())
                combo->setItemText(i, texts[i]);
            else
                combo->addItem(texts[i]);
        }
        while (combo->count() > texts.size())
            combo->removeItem(combo->count() - 1);
        if (combo->isEditable())
            combo->setEditText(edited);
    } else if (auto* list = qobject_cast<QListWidget*>(&object)) {
        for (int i = 0; i < texts.size(); ++i) {
            if (i < list->count())
                list->item(i)->setText(texts[i]);
            else
                list->addItem(texts[i]);
        }
        while (list->count() > texts.size())
            delete list->takeItem(list->count() - 1);
    }
}

// A font that a property holds; every change is written back to the property.
class TQtLangFont : public ILangObject {
public:
    TQtLangFont(QObject& object, const QMetaProperty& property) : Object_(object), Property_(property) {}

    TLangPropertyKind PropertyKind(std::string_view property) const override
    {
        if (SameName(property, "family"))
            return TLangPropertyKind::String;
        if (SameName(property, "pointSize") || SameName(property, "pixelSize"))
            return TLangPropertyKind::Integer;
        return TLangPropertyKind::None;
    }
    ILangObject* PropertyObject(std::string_view) override { return nullptr; }
    void SetProperty(std::string_view property, const TLangValue& value) override
    {
        QFont font = Property_.read(&Object_).value<QFont>();
        if (const auto* text = std::get_if<std::string>(&value); text && SameName(property, "family"))
            font.setFamily(QString::fromStdString(*text));
        else if (const auto* number = std::get_if<int64_t>(&value); number && *number > 0 && *number < 1000) {
            if (SameName(property, "pointSize"))
                font.setPointSize(int(*number));
            else
                font.setPixelSize(int(*number));
        }
        Property_.write(&Object_, font);
    }

private:
    QObject& Object_;
    QMetaProperty Property_;
};

} // namespace

TLangPropertyKind TQtLangObject::PropertyKind(std::string_view property) const
{
    if (const std::optional<QMetaProperty> found = FindProperty(Object_, property))
        return KindOf(*found);
    if (SameName(property, "items") && HasItems(Object_))
        return TLangPropertyKind::StringList;
    if (SameName(property, "title") && TabsOfPage(Object_))
        return TLangPropertyKind::String;
    return TLangPropertyKind::None;
}

ILangObject* TQtLangObject::PropertyObject(std::string_view property)
{
    const std::optional<QMetaProperty> found = FindProperty(Object_, property);
    if (!found)
        return nullptr;
    std::unique_ptr<ILangObject>& held = Held_[QByteArray(found->name())];
    if (!held) {
        if (found->metaType().id() == QMetaType::QFont && found->isWritable()) {
            held = std::make_unique<TQtLangFont>(Object_, *found);
        } else if (found->metaType().flags() & QMetaType::PointerToQObject) {
            if (QObject* object = found->read(&Object_).value<QObject*>())
                held = std::make_unique<TQtLangObject>(*object);
        }
    }
    return held.get();
}

void TQtLangObject::SetProperty(std::string_view property, const TLangValue& value)
{
    QVariant variant;
    if (const auto* text = std::get_if<std::string>(&value))
        variant = QString::fromStdString(*text);
    else if (const auto* number = std::get_if<int64_t>(&value))
        variant = qlonglong(*number);
    else if (const auto* real = std::get_if<double>(&value))
        variant = *real;
    else if (const auto* items = std::get_if<std::vector<std::string>>(&value))
        variant = ToQStringList(*items);

    if (const std::optional<QMetaProperty> found = FindProperty(Object_, property)) {
        found->write(&Object_, variant);
    } else if (SameName(property, "items")) {
        SetItems(Object_, variant.toStringList());
    } else if (QTabWidget* tabs = TabsOfPage(Object_); tabs && SameName(property, "title")) {
        tabs->setTabText(tabs->indexOf(qobject_cast<QWidget*>(&Object_)), variant.toString());
    }
}

TQtLangWindow::TQtLangWindow(QWidget& form) : Form_(form), Self_(form) {}

TQtLangWindow::~TQtLangWindow() = default;

std::string TQtLangWindow::ClassName() const
{
    return "T" + Form_.objectName().toStdString();
}

ILangObject* TQtLangWindow::FindComponent(std::string_view name)
{
    const QString wanted = ToQString(name);
    if (wanted.isEmpty())
        return nullptr;
    QObject* found = Form_.findChild<QObject*>(wanted);
    if (!found) {
        for (QObject* child : Form_.findChildren<QObject*>()) {
            if (child->objectName().compare(wanted, Qt::CaseInsensitive) == 0) {
                found = child;
                break;
            }
        }
    }
    if (!found)
        return nullptr;
    std::unique_ptr<TQtLangObject>& adapter = Components_[found];
    if (!adapter)
        adapter = std::make_unique<TQtLangObject>(*found);
    return adapter.get();
}

TLangPropertyKind TQtLangWindow::PropertyKind(std::string_view property) const
{
    return Self_.PropertyKind(property);
}

ILangObject* TQtLangWindow::PropertyObject(std::string_view property)
{
    return Self_.PropertyObject(property);
}

void TQtLangWindow::SetProperty(std::string_view property, const TLangValue& value)
{
    Self_.SetProperty(property, value);
}

void TranslateQtForm(const TLangChanger& changer, QWidget& form)
{
    TQtLangWindow window(form);
    changer.TranslateForm(window);
}
