#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QSoundEffect;

// Plays short wave files without waiting for them; each file is loaded once.
class TSoundPlayer : public QObject {
public:
    using QObject::QObject;
    void Play(const QString& file);

private:
    QHash<QString, QSoundEffect*> Effects_;
};
