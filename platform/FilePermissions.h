#pragma once

#include <QByteArray>

#include <sys/stat.h>

// Who may do what with a file: its owner, group, access ACL and mode, given to the temporary that
// takes its place in a save, so that the save changes the content only.
namespace FilePermissions {

enum class Given {
    All,    // the temporary has them all
    NotAll, // the user may not give some of them (another's file, a group the user is not in)
    Failed  // a step failed; errno says why
};

// Gives the temporary open as fd the owner, group, access ACL and mode of the file at path, whose
// status is given; the temporary's own ACL (one a folder gives each new file) goes where the file
// has none.
Given GiveTo(int fd, const QByteArray &path, const struct stat &file);

} // namespace FilePermissions
