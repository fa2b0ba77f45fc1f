#pragma once
// The component library's exception classes, with the runtime's messages.

#include "framework/core/SysUtils.h"

namespace kora {

// Stream errors.
class EStreamError : public Exception {
public:
  using Exception::Exception;
};
// "Cannot open file "%s". %s"
class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
// "Cannot create file "%s". %s"
class EFCreateError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
// Errors of form streaming.
class EFilerError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
// "Stream read error", and a form stream that cannot be read.
class EReadError : public EFilerError {
public:
  using EFilerError::EFilerError;
};
// "Stream write error"
class EWriteError : public EFilerError {
public:
  using EFilerError::EFilerError;
};
// "Class %s not found"
class EClassNotFound : public EFilerError {
public:
  using EFilerError::EFilerError;
};
// Bad syntax in a text form description; the message names the line.
class EParserError : public Exception {
public:
  using Exception::Exception;
};
// An index outside a list: "List index out of bounds (%d)".
class EStringListError : public Exception {
public:
  using Exception::Exception;
};
// A published property that does not exist or does not take the value.
class EPropertyError : public Exception {
public:
  using Exception::Exception;
};
// Component names and ownership.
class EComponentError : public Exception {
public:
  using Exception::Exception;
};
// An index outside a list of objects: "List index out of bounds (%d)".
class EListError : public Exception {
public:
  using Exception::Exception;
};

}  // namespace kora
