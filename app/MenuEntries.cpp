#include "MenuEntries.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QRegularExpression>

MenuEntries::MenuEntries(QMenu* menu, QObject* parent)
    : QAbstractListModel(parent)
    , m_menu(menu)
{
    m_menu->installEventFilter(this);
}

QList<QAction*> MenuEntries::visibleActions() const
{
    QList<QAction*> shown;
    if (m_menu) {
        for (QAction* action : m_menu->actions()) {
            if (action->isVisible()) {
                shown << action;
            }
        }
    }
    return shown;
}

int MenuEntries::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(visibleActions().size());
}

QVariant MenuEntries::data(const QModelIndex& index, int role) const
{
    const QList<QAction*> actions = visibleActions();
    if (!index.isValid() || index.row() >= actions.size()) {
        return {};
    }
    const QAction* action = actions.at(index.row());
    switch (role) {
        case TextRole: {
            // The mnemonic and its hint are the tray menu's keyboard way in; the scene has none.
            QString text = action->text();
            text.remove(QRegularExpression(QStringLiteral("\\s*\\(&\\w\\)")));
            return text.remove(QLatin1Char('&'));
        }
        case CheckableRole:
            return action->isCheckable();
        case CheckedRole:
            return action->isChecked();
        case SeparatorRole:
            return action->isSeparator();
        case AvailableRole:
            return action->isEnabled();
        default:
            return {};
    }
}

QHash<int, QByteArray> MenuEntries::roleNames() const
{
    return {{TextRole, "text"},
            {CheckableRole, "checkable"},
            {CheckedRole, "checked"},
            {SeparatorRole, "separator"},
            {AvailableRole, "available"}};
}

void MenuEntries::trigger(int row)
{
    const QList<QAction*> actions = visibleActions();
    if (row >= 0 && row < actions.size() && actions.at(row)->isEnabled()) {
        QMetaObject::invokeMethod(actions.at(row), &QAction::trigger, Qt::QueuedConnection);
    }
}

bool MenuEntries::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
        case QEvent::ActionAdded:
        case QEvent::ActionRemoved:
        case QEvent::ActionChanged:
            // Entries come, go, or change (text, visibility, check mark, availability): few enough to
            // draw anew.
            beginResetModel();
            endResetModel();
            break;
        default:
            break;
    }
    return QAbstractListModel::eventFilter(watched, event);
}
