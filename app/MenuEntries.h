#ifndef QX7_MENUENTRIES_H
#define QX7_MENUENTRIES_H

#include <QAbstractListModel>
#include <QPointer>

class QAction;
class QMenu;

// The tray menu's entries as the scene draws them, for desktops without a tray: one list, so an
// entry added to the tray menu is in the window's copy too.
class MenuEntries : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { TextRole = Qt::UserRole + 1, CheckableRole, CheckedRole, SeparatorRole, AvailableRole };

    explicit MenuEntries(QMenu* menu, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // As a click on the entry in the tray menu; run from the event loop, after the scene's click.
    Q_INVOKABLE void trigger(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QAction*> visibleActions() const;

    QPointer<QMenu> m_menu;
};

#endif // QX7_MENUENTRIES_H
