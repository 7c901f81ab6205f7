// The failure of an archiver command: a message for standard error and the exit status, numbered as the
// RAR console archiver numbers its exit codes (the program only tests for zero).
#pragma once

#include <stdexcept>
#include <string>

class ArchiverError : public std::runtime_error {
public:
    enum Code {
        Fatal = 2,        // anything else that stops the command
        Damaged = 3,      // bad checksum or authentication code, broken archive structure
        WriteError = 5,   // writing a file or the archive failed
        OpenError = 6,    // an archive or input file cannot be opened
        UserError = 7,    // the command line is wrong
        CreateError = 9,  // the archive or a temporary file cannot be created
        NoFiles = 10,     // no input file matches, or the archive holds no file
        BadPassword = 11, // missing or wrong password
    };

    ArchiverError(Code code, const std::string& message);

    int exitCode() const { return code_; }

private:
    Code code_;
};
