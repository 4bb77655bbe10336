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
    bool toFile = false;
    QList<Job> jobs;
    int setups = 0;

    void setPortrait() override
    {
        if (!installed) {
            throw HekiraError(QStringLiteral("デフォルト プリンタが存在しません"));
        }
    }
    int pageWidth() const override { return width; }
    int pageHeight() const override { return height; }
    void setJobTitle(const QString &title) override { m_title = title; }
    void beginJob() override
    {
        if (m_open) {
            throw HekiraError(QStringLiteral("現在印刷中です"));
        }
        m_open = true;
        jobs.append({m_title, {}, false});
    }
    void newPage() override { finishPage(); }
    DrawingSurface &pageCanvas() override { return m_canvas; }
    void endJob() override
    {
        finishPage();
        jobs.last().ended = true;
        m_open = false;
    }
    void abortJob() override
    {
        m_canvas.takeLines();
        jobs.removeLast();
        m_open = false;
    }
    bool printsToFile() const override { return toFile; }
    void setup(QWidget *) override { ++setups; }

    bool jobOpen() const { return m_open; }

private:
    void finishPage() { jobs.last().pages.append(m_canvas.takeLines()); }

    RecordingSurface m_canvas;
    QString m_title;
    bool m_open = false;
};
