#ifndef QX7_FUZZFOLDER_H
#define QX7_FUZZFOLDER_H

#include <QString>

#include <cstddef>
#include <cstdint>

// A fresh folder for one input inside the process's temporary folder, removed with the object.
// Every input gets a new name: Qt's settings cache must never hand one input the file of another.
class FuzzFolder
{
public:
    FuzzFolder();
    ~FuzzFolder();
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    QString path() const { return m_path; }
    // Writes the bytes to a file below the folder, making its parent folders; the file's path.
    QString write(const QString& relative, const uint8_t* data, size_t size) const;

private:
    QString m_path;
};

#endif // QX7_FUZZFOLDER_H
