#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Writes a file under a temporary name in the target's folder and puts it in
// the target's place only once every byte is written and flushed, so that a
// failed save leaves whatever file had the target's name as it was.
class ReplacingFileWriter {
public:
    explicit ReplacingFileWriter(std::wstring targetPath);
    ~ReplacingFileWriter();  // an uncommitted temporary file is removed
    ReplacingFileWriter(const ReplacingFileWriter&) = delete;
    ReplacingFileWriter& operator=(const ReplacingFileWriter&) = delete;

    // Creates the temporary file; false when no file can be made there, or
    // when the target is a read-only file or one that cannot be opened for
    // writing (another program holds it open).
    bool Open();
    // Appends bytes; a write that stores fewer bytes than asked has failed.
    bool Write(const void* bytes, uint32_t count);
    // Flushes and closes the file and moves it over the target; on failure
    // the temporary file is removed and the target left alone.
    bool Commit();
    // The last Commit wrote every byte but could not put the file in the
    // target's place: the target could not be opened, as far as the user is
    // concerned.
    bool TargetRefused() const { return targetRefused; }
    // Closes and removes the temporary file.
    void Discard();

    const std::wstring& TemporaryPath() const { return temporaryPath; }

private:
    void Close();
    bool TargetWritable() const;

    std::wstring targetPath;
    std::wstring temporaryPath;
    HANDLE file = INVALID_HANDLE_VALUE;
    bool targetRefused = false;
};
