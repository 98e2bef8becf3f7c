#include "CNumCtrl.h"
#include "CalculatorDropDown_p.h"
#include "FieldBinding_p.h"
#include "NumericValue.h"
#include "PropertyDef_p.h"
#include "StatusTextLink_p.h"
#include "comctl/AutomationError.h"
#include "comctl/HostSite.h"
#include "comctl/Variants.h"

#include <QAbstractItemModel>
#include <QMessageBox>
#include <cmath>

using comctl::AutomationError;
using comctl::ComControl;
using comctl::MemberInfo;
using comctl::MemberTable;
using comctl::Variants;

namespace orvel {

// The property functions of the member table that need more than the generic store.
struct CNumCtrlAccess
{
    static CNumCtrl &ctl(ComControl &c) { return static_cast<CNumCtrl &>(c); }

    static qint16 nonNegative16(const QVariant &v)
    {
        const qint16 n = Variants::toInt16(v);
        if (n < 0)
            throw AutomationError(AutomationError::InvalidPropertyValue);
        return n;
    }

    static double toContainer(const CNumCtrl &c, double px)
    {
        comctl::HostSite fallback;
        const comctl::HostSite *site = c.site() ? c.site() : &fallback;
        const double units = site->pixelsToContainer(px);
        const QString scale = site->scaleUnits();
        if (scale.compare(QLatin1String("Twip"), Qt::CaseInsensitive) == 0
            || scale.compare(QLatin1String("Pixel"), Qt::CaseInsensitive) == 0)
            return std::floor(units + 0.5);
        return units;
    }

    static double toPixels(const CNumCtrl &c, double units)
    {
        comctl::HostSite fallback;
        const comctl::HostSite *site = c.site() ? c.site() : &fallback;
        return site->containerToPixels(units);
    }

    static int calcIndex(const QVariantList &index)
    {
        if (index.isEmpty())
            throw AutomationError(AutomationError::InvalidPropertyArrayIndex);
        const qint32 i = Variants::toInt32(index.first());
        if (i < 0 || i > 22)
            throw AutomationError(AutomationError::InvalidPropertyArrayIndex);
        return i;
    }

    static QVariant get(CNumCtrl &c, const PropertyDef &property, const QVariantList &index)
    {
        const QString &name = property.name;
        if (name == u"Text")
            return c.text();
        if (name == u"Value")
            return c.value();
        if (name == u"FormatText")
            return c.formatText();
        if (name == u"InputText")
            return c.inputText();
        if (name == u"IsEmpty")
            return c.isEmpty();
        if (name == u"MaskError")
            return c.engine().maskError();
        if (name == u"DataType")
            return qint16(c.dataType());
        if (name == u"DataChanged")
            return c.m_binding->changed();
        if (name == u"DataSource")
            return QVariant::fromValue(static_cast<QObject *>(c.m_binding->model()));
        if (name == u"StatusBarControl")
            return QVariant::fromValue(c.m_status->target());
        if (name == u"CalcWidth")
            return float(toContainer(c, c.state().calcWidthPx));
        if (name == u"CalcHeight")
            return float(toContainer(c, c.state().calcHeightPx));
        if (name == u"CalcVisible")
            return c.calculatorOpen();
        if (name == u"CalcDispText")
            return c.m_calculator->displayText();
        if (name == u"CalcBtnText")
            return c.state().calculator.captions.value(calcIndex(index));
        if (name == u"SelStart")
            return qint16(c.engine().selectionStart());
        if (name == u"SelLength")
            return qint16(c.engine().selectionEnd() - c.engine().selectionStart());
        if (name == u"SelText")
            return c.engine().selectedText();
        if (name == u"UndoText")
            return c.engine().undoText();
        if (name == u"TagVariant")
            return c.m_tag;
        if (name == u"hWnd")
            return qint32(c.internalWinId());
        return property.valueIn(c.state());
    }

    static void put(CNumCtrl &c, const QString &name, const QVariantList &index, const QVariant &v)
    {
        if (name == u"Text") {
            c.setText(Variants::toString(v));
        } else if (name == u"Value") {
            c.setValue(v);
        } else if (name == u"DataType") {
            c.setDataType(Variants::toInt16(v));
        } else if (name == u"DataChanged") {
            c.m_binding->setChanged(Variants::toBool(v));
        } else if (name == u"DataField") {
            putDataField(c, Variants::toString(v));
        } else if (name == u"DataSource") {
            QObject *object = v.value<QObject *>();
            auto *model = qobject_cast<QAbstractItemModel *>(object);
            if (object && !model)
                throw AutomationError(AutomationError::InvalidPropertyValue);
            c.setDataSource(model);
        } else if (name == u"StatusBarControl") {
            if (v.isValid() && !Variants::isNull(v) && !v.value<QObject *>())
                throw AutomationError(AutomationError::InvalidPropertyValue);
            c.m_status->setTarget(v.value<QObject *>());
        } else if (name == u"CalcWidth" || name == u"CalcHeight") {
            putCalcSize(c, name, Variants::toDouble(v));
        } else if (name == u"CalcBtnText") {
            c.state().calculator.captions[calcIndex(index)] = Variants::toString(v);
            c.m_calculator->lookChanged();
        } else if (name == u"SelStart") {
            c.engine().setSelStart(nonNegative16(v));
            c.afterValueChange();
        } else if (name == u"SelLength") {
            c.engine().setSelLength(nonNegative16(v), c.state().alignment == 1);
            c.afterValueChange();
        } else if (name == u"SelText") {
            c.engine().insertText(Variants::toString(v));
            c.afterValueChange();
        } else if (name == u"MaskDecimalChar") {
            putDecimalChar(c, Variants::toString(v));
        } else if (name == u"SpinValue") {
            putSpinValue(c, Variants::toString(v));
        } else if (name == u"MousePointer") {
            const qint16 n = Variants::toInt16(v);
            if ((n < 0 || n > 15) && n != 99)
                throw AutomationError(AutomationError::InvalidPropertyValue);
            c.state().mousePointer = n;
            c.applyChange(name);
        } else if (name == u"UndoText") {
            throw AutomationError(AutomationError::SetNotSupported);
        } else if (name == u"TagVariant") {
            c.m_tag = v;
        }
    }

    static void putDataField(CNumCtrl &c, const QString &field)
    {
        const QString old = c.state().dataField;
        c.state().dataField = field;
        const int type = c.m_binding->fieldType();
        if (type != -2 && (type < DataTypeInteger || type > DataTypeCurrency)) {
            c.state().dataField = old;
            throw AutomationError(31000,
                                  QStringLiteral("Invalid data field type - type of data field "
                                                 "must be Integer, Long, Single, Double or "
                                                 "Currency"));
        }
        c.notifyPropertyChanged(QStringLiteral("DataField"));
        if (!c.designMode())
            c.m_binding->read();
    }

    static void putCalcSize(CNumCtrl &c, const QString &name, double units)
    {
        const double px = toPixels(c, units);
        const bool height = name == u"CalcHeight";
        if (!std::isfinite(px) || px < 0 || (height && px <= 0))
            throw AutomationError(AutomationError::InvalidPropertyValue);
        (height ? c.state().calcHeightPx : c.state().calcWidthPx) = px;
        c.notifyPropertyChanged(name);
        c.m_calculator->sizeChanged();
    }

    static void putDecimalChar(CNumCtrl &c, const QString &text)
    {
        if (text.size() > 1)
            throw AutomationError(31004,
                                  QStringLiteral("You must specify either a zero length string for "
                                                 "the system default value or a single "
                                                 "character."));
        if (text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9')
            throw AutomationError(31005,
                                  QStringLiteral("The decimal character must not be a native "
                                                 "digit."));
        c.state().mask.decimalChar = text;
        c.applyChange(QStringLiteral("MaskDecimalChar"));
    }

    static void putSpinValue(CNumCtrl &c, const QString &text)
    {
        if (!text.isEmpty()
            && !NumericValue::fromText(text, c.dataType(), c.valueRules().localeDecimal()))
            throw AutomationError(31001, QStringLiteral("Invalid number"));
        c.state().spinValue = text;
        c.notifyPropertyChanged(QStringLiteral("SpinValue"));
    }

    static void addProperties(MemberTable &t)
    {
        for (const PropertyDef &propDef : propertyDefs()) {
            MemberInfo info
                = MemberInfo::make(propDef.name, propDef.dispId, automationTypeName(propDef.kind))
                      .describe(propDef.description);
            if (propDef.flags & ReadOnly)
                info.setReadOnly();
            if (propDef.flags & RuntimeOnly)
                info.setRuntimeOnly();
            if (propDef.flags & Persisted)
                info.setPersisted();
            if (propDef.name == u"CalcBtnText")
                info.param(QStringLiteral("Index"), QStringLiteral("Integer"));
            const PropertyDef *property = &propDef;
            MemberTable::Getter getter = [property](ComControl &c, const QVariantList &index) {
                return get(ctl(c), *property, index);
            };
            MemberTable::Setter setter;
            if (!(propDef.flags & ReadOnly)) {
                setter = [property](ComControl &c, const QVariantList &index, const QVariant &v) {
                    if (property->flags & Special)
                        put(ctl(c), property->name, index, v);
                    else
                        ctl(c).assignGeneric(property->name, v);
                };
            }
            t.addProperty(info, getter, setter);
        }
        // Text is also the default property.
        MemberInfo text = MemberInfo::make(QStringLiteral("Text"), 0, QStringLiteral("String"));
        t.addProperty(
            text, [](ComControl &c, const QVariantList &) { return ctl(c).text(); },
            [](ComControl &c, const QVariantList &, const QVariant &v) {
                ctl(c).setText(Variants::toString(v));
            });
    }

    static void addMethods(MemberTable &t)
    {
        const auto simple = [&t](const char *name, int id, void (CNumCtrl::*fn)()) {
            t.addMethod(MemberInfo::make(QString::fromLatin1(name), id),
                        [fn](ComControl &c, QVariantList &) {
                            (ctl(c).*fn)();
                            return QVariant();
                        });
        };
        simple("Copy", 114, &CNumCtrl::copy);
        simple("Cut", 115, &CNumCtrl::cut);
        simple("Delete", 116, &CNumCtrl::deleteSelection);
        t.addMethod(MemberInfo::make(QStringLiteral("DoEllipsesClick"), 117),
                    [](ComControl &c, QVariantList &) {
                        ctl(c).fire(&CNumCtrl::EllipsesClick, QStringLiteral("EllipsesClick"));
                        return QVariant();
                    });
        t.addMethod(MemberInfo::make(QStringLiteral("DoSpinClick"), 118)
                        .param(QStringLiteral("Direction"), QStringLiteral("Integer")),
                    [](ComControl &c, QVariantList &args) {
                        ctl(c).spin(Variants::toInt16(args.value(0)) != 0);
                        return QVariant();
                    });
        simple("Paste", 119, &CNumCtrl::paste);
        simple("Undo", 120, &CNumCtrl::undo);
        t.addMethod(MemberInfo::make(QStringLiteral("Validate"), 121, QStringLiteral("Integer")),
                    [](ComControl &c, QVariantList &) { return qint16(ctl(c).validate()); });
        t.addMethod(MemberInfo::make(QStringLiteral("DoCalcBtnClick"), 122)
                        .param(QStringLiteral("CalcBtnType"), QStringLiteral("Integer")),
                    [](ComControl &c, QVariantList &args) {
                        const qint16 type = Variants::toInt16(args.value(0));
                        ctl(c).fire(&CNumCtrl::CalcBtnClick, QStringLiteral("CalcBtnClick"), type);
                        return QVariant();
                    });
        t.addMethod(MemberInfo::make(QStringLiteral("AboutBox"), -552),
                    [](ComControl &c, QVariantList &) {
                        QMessageBox::about(&c, QStringLiteral("Tallix"),
                                           QStringLiteral("Brellis Masked Numeric Control\n"
                                                          "Version 1.0"));
                        return QVariant();
                    });
    }

    static void addEvents(MemberTable &t)
    {
        const QString i16 = QStringLiteral("Integer"), str = QStringLiteral("String");
        const auto ev = [&t](const QString &name, int id) { return MemberInfo::make(name, id); };
        t.addEvent(ev(QStringLiteral("ToolTipEnd"), 1));
        t.addEvent(
            ev(QStringLiteral("ToolTipBegin"), 2).param(QStringLiteral("Cancel"), i16, true));
        t.addEvent(ev(QStringLiteral("EllipsesClick"), 3));
        t.addEvent(ev(QStringLiteral("AfterUpdate"), 4));
        t.addEvent(
            ev(QStringLiteral("BeforeLostFocus"), 5).param(QStringLiteral("Cancel"), i16, true));
        t.addEvent(ev(QStringLiteral("Change"), 6));
        t.addEvent(ev(QStringLiteral("StatusBarUpdate"), 7)
                       .param(QStringLiteral("Restore"), i16)
                       .param(QStringLiteral("DisplayText"), str, true)
                       .param(QStringLiteral("Cancel"), i16, true));
        t.addEvent(ev(QStringLiteral("InvalidChar"), 8)
                       .param(QStringLiteral("Char"), str)
                       .param(QStringLiteral("Position"), i16));
        t.addEvent(ev(QStringLiteral("DataRead"), 9)
                       .param(QStringLiteral("NewValue"), QStringLiteral("Variant"), true)
                       .param(QStringLiteral("DataChanged"), i16, true));
        t.addEvent(ev(QStringLiteral("BeforeUpdate"), 10)
                       .param(QStringLiteral("NewValue"), QStringLiteral("Variant"), true)
                       .param(QStringLiteral("Cancel"), i16, true));
        t.addEvent(ev(QStringLiteral("DataError"), 11)
                       .param(QStringLiteral("ErrorType"), i16)
                       .param(QStringLiteral("ErrorText"), str));
        t.addEvent(ev(QStringLiteral("SpinClick"), 12)
                       .param(QStringLiteral("Direction"), QStringLiteral("Long")));
        t.addEvent(ev(QStringLiteral("CloseUp"), 13));
        t.addEvent(ev(QStringLiteral("DropDown"), 14));
        t.addEvent(ev(QStringLiteral("OnValidate"), 15)
                       .param(QStringLiteral("Text"), str)
                       .param(QStringLiteral("Valid"), i16, true));
        t.addEvent(
            ev(QStringLiteral("CalcBtnClick"), 16).param(QStringLiteral("CalcBtnType"), i16));
        t.addEvent(ev(QStringLiteral("Click"), -600));
        t.addEvent(ev(QStringLiteral("DblClick"), -601));
        t.addEvent(ev(QStringLiteral("KeyDown"), -602)
                       .param(QStringLiteral("KeyCode"), i16, true)
                       .param(QStringLiteral("Shift"), i16));
        t.addEvent(
            ev(QStringLiteral("KeyPress"), -603).param(QStringLiteral("KeyAscii"), i16, true));
        t.addEvent(ev(QStringLiteral("KeyUp"), -604)
                       .param(QStringLiteral("KeyCode"), i16, true)
                       .param(QStringLiteral("Shift"), i16));
        for (const auto &[name, id] :
             { std::pair { "MouseDown", -605 }, { "MouseMove", -606 }, { "MouseUp", -607 } }) {
            t.addEvent(ev(QString::fromLatin1(name), id)
                           .param(QStringLiteral("Button"), i16)
                           .param(QStringLiteral("Shift"), i16)
                           .param(QStringLiteral("X"), QStringLiteral("Single"))
                           .param(QStringLiteral("Y"), QStringLiteral("Single")));
        }
        t.addEvent(ev(QStringLiteral("Error"), -608)
                       .param(QStringLiteral("Number"), i16)
                       .param(QStringLiteral("Description"), str, true)
                       .param(QStringLiteral("Scode"), QStringLiteral("Long"))
                       .param(QStringLiteral("Source"), str)
                       .param(QStringLiteral("HelpFile"), str)
                       .param(QStringLiteral("HelpContext"), QStringLiteral("Long"))
                       .param(QStringLiteral("CancelDisplay"), QStringLiteral("Boolean"), true));
    }
};

const MemberTable &CNumCtrl::members()
{
    static const MemberTable table = [] {
        MemberTable t;
        CNumCtrlAccess::addProperties(t);
        CNumCtrlAccess::addMethods(t);
        CNumCtrlAccess::addEvents(t);
        return t;
    }();
    return table;
}

} // namespace orvel
