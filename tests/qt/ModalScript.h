#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Answers the modal windows that show, one step per window, in order; records the object
// name of every window it met. A window beyond the script is closed, so nothing waits for ever.
class TModalScript {
public:
    using TStep = std::function<void(QWidget& window)>;

    explicit TModalScript(std::vector<TStep> steps) : Steps_(steps.begin(), steps.end())
    {
        Poll_.setInterval(10);
        QObject::connect(&Poll_, &QTimer::timeout, [this] { Serve(); });
        Poll_.start();
    }

    const std::vector<std::string>& Seen() const { return Seen_; }

private:
    void Serve()
    {
        QWidget* front = QApplication::activeModalWidget();
        if (!front || front == Last_)
            return;
        Last_ = front;
        Seen_.push_back(front->objectName().toStdString());
        if (Steps_.empty()) {
            front->close();
            return;
        }
        TStep step = Steps_.front();
        Steps_.pop_front();
        step(*front);
    }

    QTimer Poll_;
    std::deque<TStep> Steps_;
    std::vector<std::string> Seen_;
    QWidget* Last_ = nullptr;
};

// A window's child of that type and name; a failure of the test when there is none.
template <class T>
T& Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return *child;
}
