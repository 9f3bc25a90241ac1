// AVI clips: the first video stream of a file, decoded frame by frame into
// 24-bit pictures of the clip's own size.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/surface.h"

namespace tapo::platform {

class Form;

class Clip {
 public:
  enum class Error { None, Open, NoVideo, Info, Decoder };

  // nullptr on failure, with the reason in *error.
  static std::unique_ptr<Clip> open(const std::filesystem::path& file, Error* error = nullptr);
  // As open, but the clip opened last this way stays open and is handed out
  // again while its file is unchanged: the screens show one clip many times
  // in a row (animation runs, the talking head, single frames), and its
  // pictures are then read and decoded once.  `owner` is the form that shows
  // it (the last one to ask for it).
  static std::shared_ptr<Clip> open_kept(const std::filesystem::path& file, Error* error = nullptr,
                                         const Form* owner = nullptr);
  // Lets the kept clip go when `owner` is the form it is kept for: that
  // screen has gone, and its decoded pictures (megabytes) go with it rather
  // than when another screen opens a clip.
  static void release_kept(const Form* owner);
  virtual ~Clip() = default;

  virtual int start() const = 0;   // the stream's first frame (0 for the era's clips)
  virtual int length() const = 0;  // frames
  virtual int width() const = 0;
  virtual int height() const = 0;
  // Frame n counted from the file's first frame, exact for any n in any
  // order; nullptr when n is out of range or cannot be decoded.  The picture
  // belongs to the clip and stays valid at least until the next call.
  virtual const Surface* frame(int n) = 0;
  // Whether the file proved damaged in part so far: cut short, an index that
  // disagrees with its pictures, a picture whose data is not what its codec
  // reads.  What could be read is still shown; the caller names the file.
  virtual bool damaged() const = 0;
};

}  // namespace tapo::platform
