// Popup menus, submenus and their items on Qt.
#include "ui/Toolkit.h"
#include "ui/qt/QtControlPeer.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

namespace pellow {

namespace {

class QtMenu : public TMenuPeer {
public:
    std::unique_ptr<TMenuItemPeer> NewItem(const std::string& caption) override;
    virtual QMenu* Menu() = 0;
};

class QtSubmenu final : public QtMenu {
public:
    explicit QtSubmenu(const QString& title) : menu_(new QMenu(title)) {}
    ~QtSubmenu() override { delete menu_; }
    QMenu* Menu() override { return menu_; }

private:
    QPointer<QMenu> menu_;
};

class QtMenuItemPeer final : public TMenuItemPeer {
public:
    QtMenuItemPeer(QMenu* menu, const QString& caption) : action_(menu->addAction(caption)) {
        QObject::connect(action_, &QAction::triggered, action_, [this] {
            if (Clicked)
                Clicked();
        });
    }
    ~QtMenuItemPeer() override {
        submenu_.reset();
        delete action_;
    }
    TMenuPeer& Submenu() override {
        if (!submenu_) {
            submenu_ = std::make_unique<QtSubmenu>(action_->text());
            action_->setMenu(submenu_->Menu());
        }
        return *submenu_;
    }

private:
    QPointer<QAction> action_;
    std::unique_ptr<QtSubmenu> submenu_;
};

std::unique_ptr<TMenuItemPeer> QtMenu::NewItem(const std::string& caption) {
    return std::make_unique<QtMenuItemPeer>(Menu(), ToQString(caption));
}

class QtPopupMenuPeer final : public TPopupMenuPeer {
public:
    explicit QtPopupMenuPeer(QWidget* owner) : menu_(new QMenu(owner)) {}
    ~QtPopupMenuPeer() override { delete menu_; }
    std::unique_ptr<TMenuItemPeer> NewItem(const std::string& caption) override {
        return std::make_unique<QtMenuItemPeer>(menu_.data(), ToQString(caption));
    }
    void Popup(TPoint screen) override { menu_->exec(QPoint(screen.X, screen.Y)); }

private:
    QPointer<QMenu> menu_;
};

} // namespace

std::unique_ptr<TPopupMenuPeer> NewPopupMenuPeer(TControlPeer& owner) {
    return std::make_unique<QtPopupMenuPeer>(dynamic_cast<QWidget*>(&owner));
}

} // namespace pellow
