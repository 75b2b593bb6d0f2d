#include "FoeOffers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QLineEdit>

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
        if (event->type() == QEvent::Hide)
            follow(false);
        return false;
    }

private:
    QComboBox* foes_;
    QCompleter* offers_;
    QString ownDescription_;
    bool announcing_ = false;
};

}  // namespace

void attachFoeOffers(QComboBox* foes, QCompleter* offers)
{
    delete foes->completer();  // the case-blind one Qt gives every editable combo box
    offers->setWidget(foes);
    offers->popup()->setAccessibleName(QObject::tr("Foe suggestions"));
    auto* announcer = new OfferAnnouncer(foes, offers);

    QObject::connect(foes->lineEdit(), &QLineEdit::textEdited, offers, [foes, offers, announcer](const QString& text) {
        if (text.isEmpty())
            return offers->popup()->hide();
        offers->popup()->setFont(foes->font());  // the offers read at the sheet's zoom
        offers->setCompletionPrefix(text);
        offers->complete();
        announcer->follow(offers->popup()->isVisible());
    });
    // Moving through the offers shows each in the box, and taking one keeps it.
    QObject::connect(offers, qOverload<const QString&>(&QCompleter::highlighted), foes, &QComboBox::setEditText);
    QObject::connect(offers, qOverload<const QString&>(&QCompleter::activated), foes, &QComboBox::setEditText);
}
