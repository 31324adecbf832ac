#include "BookImport.h"

#include "BookJson.h"
#include "CliCommands.h"
#include "CliMessages.h"
#include "doc/KolvaneDoc.h"
#include "model/AddrBookFile.h"
#include "platform/QtSettingsStore.h"

#include <cstdio>

int OpenBookForImport(BookImport& import, std::initializer_list<std::string> inputs) {
    import.target = WriteTarget(import.bookPath);
    if (!import.dryRun) {
        if (const int status = RefuseInputAsOutput(import.bookPath, inputs); status != EXIT_OK)
            return status;
        if (const int status = LockBook(import.bookPath, import.lock); status != EXIT_OK)
            return status;
    }
    return ReportFileError(LoadAddrBook(import.bookPath.c_str(), import.book));
}

int FinishImport(BookImport& import, std::vector<std::unique_ptr<CAddrCard>> cards) {
    const std::string count = std::to_string(cards.size());
    if (import.dryRun) {
        CAddrBook preview;
        for (const ContactMethod& method : import.book.m_methods.Entries())
            preview.m_methods.Append(method);
        preview.AddCards(std::move(cards));
        if (const int status = WriteStdout(BookToJson(preview)); status != EXIT_OK)
            return status;
        std::fputs(Format(Tr("cards that would be imported: %1; nothing was written\n",
                             "%1 件のｶｰﾄﾞがｲﾝﾎﾟｰﾄされます。何も書き込んでいません。\n"),
                          {count})
                       .c_str(),
                   stderr);
        return EXIT_OK;
    }
    if (!cards.empty()) {
        import.book.AddCards(std::move(cards));
        // The user's backup options, as the program saves.
        CQtSettingsStore settings;
        AfxSetProfile(&settings);
        const COptions options = COptions::Load();
        AfxSetProfile(nullptr);
        const auto noBackup = [&] {
            PrintError(Format(Tr("%1: the backup could not be made; nothing was imported",
                                 "%1 のﾊﾞｯｸｱｯﾌﾟを作れませんでした。何もｲﾝﾎﾟｰﾄしていません。"),
                              {import.bookPath}));
            return false;
        };
        const std::optional<CFileError> error = SaveBookSafely(
            import.target.c_str(), import.book, CKolvaneDoc::Backups(options), noBackup);
        if (error && error->IsCancelled())
            return EXIT_FILE_ERROR;
        if (const int status = ReportFileError(error); status != EXIT_OK)
            return status;
    }
    std::fputs(
        Format(Tr("cards imported: %1\n", "%1 件のｶｰﾄﾞがｲﾝﾎﾟｰﾄされました。\n"), {count}).c_str(),
        stderr);
    return EXIT_OK;
}
