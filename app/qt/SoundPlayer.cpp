#include "app/qt/SoundPlayer.h"

#include <QSoundEffect>
#include <QUrl>

void TSoundPlayer::Play(const QString& file)
{
    if (file.isEmpty())
        return;
    QSoundEffect*& effect = Effects_[file];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(file));
    }
    // A sound still loading plays as soon as it is ready; one that cannot load stays silent.
    if (effect->status() == QSoundEffect::Loading)
        connect(
            effect, &QSoundEffect::statusChanged, effect,
            [effect] {
                if (effect->status() == QSoundEffect::Ready)
                    effect->play();
            },
            Qt::SingleShotConnection);
    else
        effect->play();
}
