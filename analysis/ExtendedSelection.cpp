#include "ExtendedSelection.h"

#include "ServerAccess.h"
#include "ServerCall.h"
#include "ServerLists.h"

namespace ertragon {

ExtendedSelection::ExtendedSelection(QObject *parent)
    : QObject(parent)
{
    m_articleTypes.setEntries({ { QStringLiteral("A"), QStringLiteral("Alle") },
                                { QStringLiteral("L"), QStringLiteral("Lager Artikel") },
                                { QStringLiteral("B"), QStringLiteral("Bestell Artikel") },
                                { QStringLiteral("W"), QStringLiteral("Wert Artikel") } });
    m_shippingTypes.setEntries({ SelectionEntry {} });
}

void ExtendedSelection::open(ServerAccess &server, const QString &company,
                             const QString &mainShippingType)
{
    m_articleType = 0;
    QList<SelectionEntry> shipping { SelectionEntry {} };
    {
        ServerCall call(server, QStringLiteral("Versandarten lesen"));
        if (call.connected())
            ServerLists::appendQueryItems(call, QStringLiteral("Versandarten"),
                                          { company, mainShippingType }, shipping);
    }
    m_shippingTypes.setEntries(shipping);
    m_shippingType = 0;
    m_discountView = 0;
    m_active = true;
    Q_EMIT listsChanged();
    Q_EMIT activeChanged(true);
}

void ExtendedSelection::close()
{
    if (!m_active)
        return;
    m_active = false;
    Q_EMIT activeChanged(false);
}

void ExtendedSelection::setArticleTypeIndex(int index)
{
    if (index >= 0 && index < m_articleTypes.size())
        m_articleType = index;
}

bool ExtendedSelection::chooseArticleType(const QString &code, Qt::CaseSensitivity cs)
{
    const int index = m_articleTypes.indexOfCode(code, cs);
    setArticleTypeIndex(index);
    return index >= 0;
}

QString ExtendedSelection::articleTypeText() const
{
    return m_articleTypes.entry(m_articleType).text();
}

QString ExtendedSelection::articleTypeCode() const
{
    return m_articleTypes.entry(m_articleType).code;
}

void ExtendedSelection::setShippingTypeIndex(int index)
{
    if (index >= 0 && index < m_shippingTypes.size())
        m_shippingType = index;
}

bool ExtendedSelection::chooseShippingType(const QString &code, Qt::CaseSensitivity cs)
{
    const int index = m_shippingTypes.indexOfCode(code, cs);
    setShippingTypeIndex(index);
    return index >= 0;
}

QString ExtendedSelection::shippingTypeText() const
{
    return m_shippingTypes.entry(m_shippingType).text();
}

QString ExtendedSelection::shippingTypeCode() const
{
    return m_shippingTypes.entry(m_shippingType).code;
}

void ExtendedSelection::setDiscountView(int view)
{
    m_discountView = view == 1 ? 1 : 0;
}

} // namespace ertragon
