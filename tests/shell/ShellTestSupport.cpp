#include "tests/shell/ShellTestSupport.h"

#include "shell/KVButtonEdit.h"
#include "shell/frmConnect.h"

QStringList TMainWindowTest::ConnectThroughDialog(const QString& AFileName, int AAnswer) {
    QStringList texts;
    TMessageDlgResponderScope responder([&](const TMessageDlgRequest& ARequest) {
        texts << ARequest.Text;
        return AAnswer;
    });
    AnswerModal<TfrmConnect>([AFileName](TfrmConnect* ADialog) {
        ADialog->DatabaseEdit()->setText(AFileName);
        ADialog->accept();
    });
    Main().ConnectDB();
    return texts;
}
