#include "window/MapApp.h"

#include "window/CommandLine.h"
#include "window/MapDlg.h"
#include "window/SpeechVoice.h"

#include <QCoreApplication>
#include <QTimer>

CMapDlg* CMapApp::InitInstance(const StartOptions& options)
{
    auto* dlg = new CMapDlg;
    dlg->SetWindowSize(options.windowSize.isValid() ? options.windowSize : dlg->size());
    dlg->m_strStartMap = StartMap(options, QCoreApplication::applicationDirPath());
    auto* voice = new SpeechVoice(dlg);
    QObject::connect(voice, &SpeechVoice::Unavailable, dlg, &CMapDlg::VoiceUnavailable);
    dlg->SetVoice(voice);
    dlg->show();
    dlg->OnInitDialog();
    if (!options.gpsSource.isEmpty())
        dlg->StartGpsAtLaunch(options.gpsSource);
    if (options.exitAfterStart)
        QTimer::singleShot(0, dlg, &CMapDlg::OnExit);
    return dlg;
}
