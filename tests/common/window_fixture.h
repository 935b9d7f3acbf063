// A fresh main window over its own chart and recording fakes, as main()
// builds it, with the look-ups every window test needs.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

#include "ann_form.h"
#include "app/frm_main.h"
#include "chart/chart_state.h"
#include "fake_platform.h"

namespace tavrinel::testing {

struct WindowFixture {
    WindowFixture() : window(chart, platform.Services) {}

    template <typename T>
    T* Get(const char* name) {
        T* widget = window.findChild<T*>(QLatin1String(name));
        if (!widget) {
            qFatal("no control named %s", name);
        }
        return widget;
    }
    QLineEdit* Box(const char* name) { return Get<QLineEdit>(name); }
    QComboBox* List(const char* name) { return Get<QComboBox>(name); }
    QAction* Menu(const char* name) { return Get<QAction>(name); }

    // Only the panel in front is visible.
    bool InputInFront() {
        return !Get<QGroupBox>("Frame1")->isHidden() && Get<QGroupBox>("Frame2")->isHidden();
    }
    bool ReadingInFront() {
        return !Get<QGroupBox>("Frame2")->isHidden() && Get<QGroupBox>("Frame1")->isHidden();
    }

    void FillAnn() { testing::FillAnn(window); }

    FakePlatform platform;
    ChartState chart;
    FrmMain window;
};

}  // namespace tavrinel::testing
