#pragma once
// The transition player as forms use it: TCustomTransitionPlayer with its persisted properties
// published to Qt's meta-object system, so that stored settings can be applied by name.

#include <QString>

#include "player/CustomTransitionPlayer.h"

namespace corvane {

class TTransitionPlayer : public TCustomTransitionPlayer {
    Q_OBJECT
    Q_PROPERTY(corvane::TBackgroundMode BgMode READ BgMode WRITE SetBgMode)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(int Delay READ Delay WRITE SetDelay)
    Q_PROPERTY(bool ExactTiming READ ExactTiming WRITE SetExactTiming)
    Q_PROPERTY(uint FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(int FrameWidth READ FrameWidth WRITE SetFrameWidth)
    Q_PROPERTY(bool Manual READ Manual WRITE SetManual)
    Q_PROPERTY(bool OverDraw READ OverDraw WRITE SetOverDraw)
    Q_PROPERTY(bool Proportional READ Proportional WRITE SetProportional)
    Q_PROPERTY(bool Reverse READ Reverse WRITE SetReverse)
    Q_PROPERTY(int Step READ Step WRITE SetStep)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)
    Q_PROPERTY(QString StyleName READ StyleNameText WRITE SetStyleNameText STORED false)
    Q_PROPERTY(bool Threaded READ Threaded WRITE SetThreaded)
    Q_PROPERTY(corvane::TThreadPriority ThreadPriority READ ThreadPriority WRITE SetThreadPriority)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)

public:
    explicit TTransitionPlayer(QWidget* parent = nullptr) : TCustomTransitionPlayer(parent) {}
    ~TTransitionPlayer() override { StopForDestruction(); }

    QString StyleNameText() const { return QString::fromStdString(StyleName()); }
    void SetStyleNameText(const QString& value) { SetStyleName(value.toStdString()); }
};

}  // namespace corvane
