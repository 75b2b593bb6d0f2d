#include "FoeOffers.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QLineEdit>
#include <QListView>

namespace {

QString offersInWords(const QCompleter& offers)
{
    const QString first = offers.completionModel()->index(0, 0).data().toString();
    if (offers.completionCount() == 1)
        return QObject::tr("1 suggestion: %1").arg(first);
    return QObject::tr("%1 suggestions, the first %2").arg(offers.completionCount()).arg(first);
}

// Puts the offers in the foe box's description while they are shown, and
// gives the box its own description back once they are gone. A screen
// reader speaks a change of the description of the control it is on.
class OfferAnnouncer : public QObject {
public:
    OfferAnnouncer(QComboBox* foes, QCompleter* offers) : QObject(offers), foes_(foes), offers_(offers)
    {
        offers->popup()->installEventFilter(this);
    }

    void follow(bool shown)
    {
        if (shown && !announcing_)
            ownDescription_ = foes_->accessibleDescription();
        if (shown)
            foes_->setAccessibleDescription(offersInWords(*offers_));
        else if (announcing_)
            foes_->setAccessibleDescription(ownDescription_);
        announcing_ = shown;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Hide)
            return false;
        follow(false);
        // The keyboard is back in the foe box (Enter took an offer, or Esc
        // closed them); Qt tells nobody, as the box never lost the focus.
        if (QWidget* edit = foes_->lineEdit(); edit->hasFocus()) {
            QAccessibleEvent back(edit, QAccessible::Focus);
            QAccessible::updateAccessibility(&back);
        }
        return false;
    }

private:
    QComboBox* foes_;
    QCompleter* offers_;
    QString ownDescription_;
    bool announcing_ = false;
};

// The offers and their announcer, made at the first letter typed: a game
// master who only picks from the list never pays for them at start-up.
struct Offers {
    QCompleter* completer = nullptr;
    OfferAnnouncer* announcer = nullptr;
};

void makeOffers(QComboBox* foes, Offers& offers)
{
    auto* completer = new QCompleter(foes->model(), foes);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setWidget(foes);
    // A letter may leave tens of thousands of names to offer: one row's height for all.
    auto* popup = static_cast<QListView*>(completer->popup());
    popup->setUniformItemSizes(true);
    popup->setAccessibleName(QObject::tr("Foe suggestions"));
    // Moving through the offers shows each in the box, and taking one keeps it.
    QObject::connect(completer, qOverload<const QString&>(&QCompleter::highlighted), foes, &QComboBox::setEditText);
    QObject::connect(completer, qOverload<const QString&>(&QCompleter::activated), foes, &QComboBox::setEditText);
    offers = {completer, new OfferAnnouncer(foes, completer)};
}

}  // namespace

void offerMatchingFoeNames(QComboBox* foes)
{
    delete foes->completer();  // the case-blind one Qt gives every editable combo box
    QObject::connect(foes->lineEdit(), &QLineEdit::textEdited, foes, [foes, offers = Offers()](const QString& text) mutable {
        if (text.isEmpty() && !offers.completer)
            return;
        if (!offers.completer)
            makeOffers(foes, offers);
        if (text.isEmpty())
            return offers.completer->popup()->hide();
        offers.completer->popup()->setFont(foes->font());  // the offers read at the sheet's zoom
        offers.completer->setCompletionPrefix(text);
        offers.completer->complete();
        offers.announcer->follow(offers.completer->popup()->isVisible());
    });
}
