#pragma once

#include "hekiraerror.h"
#include "printer.h"
#include "recordingsurface.h"

#include <QByteArrayList>
#include <QList>

// A printer that keeps what each job drew, as trace lines per page.
class RecordingPrinter : public Printer {
public:
    struct Job {
        QString title;
        QList<QByteArrayList> pages;
        bool ended = false;
    };

    int width = 640;
    int height = 882;
    bool installed = true;
    QList<Job> jobs;

    void setPortrait() override
    {
        if (!installed) {
            throw HekiraError(QStringLiteral("デフォルト プリンタが存在しません"));
        }
    }
    void setJobTitle(const QString &title) override { m_title = title; }
    void begin() override
    {
        if (m_open) {
            throw HekiraError(QStringLiteral("現在印刷中です"));
        }
        m_open = true;
        jobs.append({m_title, {}, false});
    }
    QSize pageSize() const override { return QSize(width, height); }
    DrawingSurface &nextPage() override
    {
        if (!m_open) {
            throw HekiraError(QStringLiteral("印刷を開始していません"));
        }
        if (m_drawing) {
            finishPage();
        }
        m_drawing = true;
        return m_canvas;
    }
    void finish() override
    {
        finishPage();
        jobs.last().ended = true;
        m_open = false;
    }
    void abort() override
    {
        if (!m_open) {
            return;
        }
        m_canvas.takeLines();
        jobs.removeLast();
        m_open = false;
        m_drawing = false;
    }

    bool jobOpen() const { return m_open; }

private:
    void finishPage()
    {
        jobs.last().pages.append(m_canvas.takeLines());
        m_drawing = false;
    }

    RecordingSurface m_canvas;
    QString m_title;
    bool m_open = false;
    bool m_drawing = false;
};
