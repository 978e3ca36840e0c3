// The precompiled headers shared by the tests are made with this target.
