#pragma once
#include <QString>

// Every text the shell shows, exactly as the game has always spelled them:
// half-width katakana in the menus, full-width tildes in the title.
namespace apptext {

inline QString WindowTitle() { return QStringLiteral("Marobel ～Orvik～"); }
inline QString FileMenu() { return QStringLiteral("ﾌｧｲﾙ(&F)"); }
inline QString ExitItem() { return QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"); }
inline QString HelpMenu() { return QStringLiteral("ﾍﾙﾌﾟ(&H)"); }
inline QString AboutItem() { return QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A) ..."); }
inline QString AboutCaption() { return QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"); }
inline QString AboutText() { return QStringLiteral("Marobel ～Orvik～ Version 1.0"); }
inline QString OkButton() { return QStringLiteral("OK"); }

}  // namespace apptext
