#include "ExtendedSelection.h"

#include "ServerAccess.h"
#include "ServerCall.h"
#include "ServerLists.h"

namespace ertragon {

namespace {

QString itemAt(const QStringList &items, int index)
{
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}

} // namespace

ExtendedSelection::ExtendedSelection(QObject *parent)
    : QObject(parent)
    , m_articleTypes { QStringLiteral("A Alle"), QStringLiteral("L Lager Artikel"),
                       QStringLiteral("B Bestell Artikel"), QStringLiteral("W Wert Artikel") }
    , m_shippingTypes { QString() }
{
}

void ExtendedSelection::open(ServerAccess &server, const QString &company,
                             const QString &mainShippingType)
{
    m_articleType = 0;
    QStringList shipping { QString() };
    {
        ServerCall call(server, QStringLiteral("Versandarten lesen"));
        if (call.connected())
            ServerLists::appendQueryItems(call, QStringLiteral("Versandarten"),
                                          { company, mainShippingType }, shipping);
    }
    m_shippingTypes = shipping;
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

QString ExtendedSelection::articleTypeText() const
{
    return itemAt(m_articleTypes, m_articleType);
}

QString ExtendedSelection::articleTypeCode() const
{
    return ServerLists::codeOf(articleTypeText());
}

void ExtendedSelection::setShippingTypeIndex(int index)
{
    if (index >= 0 && index < m_shippingTypes.size())
        m_shippingType = index;
}

QString ExtendedSelection::shippingTypeText() const
{
    return itemAt(m_shippingTypes, m_shippingType);
}

QString ExtendedSelection::shippingTypeCode() const
{
    return ServerLists::codeOf(shippingTypeText());
}

void ExtendedSelection::setDiscountView(int view)
{
    m_discountView = view == 1 ? 1 : 0;
}

} // namespace ertragon
