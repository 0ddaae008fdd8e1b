#include "qt/monitor_covers.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "frontend/covers.h"
#include "qt/control_views.h"
#include "qt/x11_hints.h"

namespace vz::qt {

namespace {

Box BoxOf(const QRect& r) { return Box{r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

MonitorCovers::MonitorCovers() {
    const auto refresh = [this] {
        if (Covering()) Refresh();
    };
    connect(qApp, &QGuiApplication::screenAdded, this, refresh);
    connect(qApp, &QGuiApplication::screenRemoved, this, refresh);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, refresh);
}

MonitorCovers::~MonitorCovers() {
    for (auto& [screen, cover] : covers_) delete cover.data();
}

void MonitorCovers::Cover(InputSink* rest) {
    if (rest == rest_) return;
    rest_ = rest;
    if (rest_) {
        // Clicks go to the window that now shows the rest screen.
        for (auto& [screen, cover] : covers_) delete cover.data();
        covers_.clear();
    }
    Refresh();
}

void MonitorCovers::Refresh() {
    QScreen* primary = QGuiApplication::primaryScreen();
    std::vector<QScreen*> wanted;
    if (Covering() && primary) {
        // A monitor that shows a part of the primary one (a mirror) is dark
        // already, under the rest screen; monitors alike share one cover.
        const QList<QScreen*> screens = QGuiApplication::screens();
        std::vector<Box> monitors;
        for (QScreen* s : screens) monitors.push_back(BoxOf(s->geometry()));
        std::vector<Box> covers = PlaceCovers(monitors, BoxOf(primary->geometry()));
        for (QScreen* s : screens) {
            const auto it = std::find(covers.begin(), covers.end(), BoxOf(s->geometry()));
            if (it == covers.end()) continue;
            wanted.push_back(s);
            covers.erase(it);
        }
    }
    for (auto it = covers_.begin(); it != covers_.end();) {
        const bool keep = std::find(wanted.begin(), wanted.end(), it->first) != wanted.end();
        if (keep && it->second) {
            ++it;
            continue;
        }
        if (it->second) {
            it->second->hide();
            it->second->deleteLater();
        }
        it = covers_.erase(it);
    }
    for (QScreen* s : wanted) {
        if (covers_.count(s)) continue;
        auto* cover = new PointerWidget(nullptr, *rest_, nullptr);
        cover->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        cover->setWindowTitle(QStringLiteral("Verezerud"));
        cover->setObjectName(QStringLiteral("monitor-cover"));
        cover->setAttribute(Qt::WA_ShowWithoutActivating);
        QPalette black = cover->palette();
        black.setColor(QPalette::Window, Qt::black);
        cover->setPalette(black);
        cover->setAutoFillBackground(true);
        covers_[s] = cover;
        connect(s, &QScreen::geometryChanged, cover, [this, s] {
            Refresh();  // which monitors want a cover may have changed too
            const auto it = covers_.find(s);
            if (it != covers_.end() && it->second) Place(s, it->second);
        });
        Place(s, cover);
        cover->winId();
        if (cover->windowHandle()) cover->windowHandle()->setScreen(s);
        SetStatesBeforeShow(cover, true, true);
        cover->show();
        cover->raise();
    }
}

void MonitorCovers::Place(QScreen* screen, PointerWidget* cover) {
    cover->setGeometry(screen->geometry());
    if (cover->isVisible()) RequestFullScreen(cover, true);
}

void MonitorCovers::Raise() {
    for (auto& [screen, cover] : covers_)
        if (cover) cover->raise();
}

}  // namespace vz::qt
