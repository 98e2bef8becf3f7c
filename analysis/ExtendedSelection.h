#pragma once

#include "SelectionList.h"

#include <QObject>

namespace ertragon {

class ServerAccess;

// The choices of the extended selection (article type, shipping type, revenue or
// discount view), active while "Erweiterte Auswahl" is checked. The dialog
// frmAuswahlDetail is a view over it.
class ExtendedSelection : public QObject
{
    Q_OBJECT
public:
    explicit ExtendedSelection(QObject *parent = nullptr);

    bool active() const { return m_active; }

    // Opening: fixed article types with "A Alle" chosen, the empty shipping type
    // plus the rows of "Versandarten" (company, main shipping type code),
    // DiscountView 0. Marks the selection active.
    void open(ServerAccess &server, const QString &company, const QString &mainShippingType);
    void close();

    const SelectionList &articleTypes() const { return m_articleTypes; }
    // The models the dialog's list boxes show.
    QAbstractItemModel *articleTypeModel() { return &m_articleTypes; }
    QAbstractItemModel *shippingTypeModel() { return &m_shippingTypes; }
    int articleTypeIndex() const { return m_articleType; }
    void setArticleTypeIndex(int index);
    // False when no article type has this code.
    bool chooseArticleType(const QString &code, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    QString articleTypeText() const;
    QString articleTypeCode() const;

    const SelectionList &shippingTypes() const { return m_shippingTypes; }
    int shippingTypeIndex() const { return m_shippingType; }
    void setShippingTypeIndex(int index);
    bool chooseShippingType(const QString &code, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    QString shippingTypeText() const;
    QString shippingTypeCode() const;

    // 0 revenue and margin ("Umsatz/DB"), 1 discount and rebate ("Skonto/Nachlass").
    int discountView() const { return m_discountView; }
    void setDiscountView(int view);

Q_SIGNALS:
    void activeChanged(bool active);
    void listsChanged();

private:
    SelectionList m_articleTypes;
    SelectionList m_shippingTypes;
    int m_articleType = 0;
    int m_shippingType = 0;
    int m_discountView = 0;
    bool m_active = false;
};

} // namespace ertragon
