#pragma once

namespace saver {

// The two versions the package header sets and item loaders consult where a layout changed
// between authoring-tool generations. Thresholds are compared as single-precision floats.
struct PackageVersions {
  float package = 0.0f;  // version of the tool that wrote the package, whatever the signature
  float legacy = 0.0f;   // the same under signature B; 0 under signature A
};

}  // namespace saver
